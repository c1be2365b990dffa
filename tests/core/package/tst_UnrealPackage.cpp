#include "TestPaths.h"
#include "package/UnrealPackage.h"

#include <QTest>
#include <QtEndian>

namespace {
// One export as the package lists it: path, class, top mip size and format.
QString Describe(const UnrealPackage& package, int index) {
    const PackageExport& e = package.exports()[index];
    const PackageResult<TextureInfo> texture = package.texture(index);
    const QString size = texture ? QStringLiteral(" %1x%2 %3")
                                       .arg(texture->width())
                                       .arg(texture->height())
                                       .arg(TextureFormatName(texture->format))
                                 : QString();
    return e.path + ' ' + e.className + size;
}
} // namespace

class tst_UnrealPackage : public QObject {
    Q_OBJECT

private slots:
    // The game's own packages: every table, every texture decodes, and pixels
    // whose bytes were looked up by hand in the files.
    void realPackages_data() {
        QTest::addColumn<QString>("counts"); // version, names, imports, exports, textures
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("described");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<quint32>("rgba"); // 0xRRGGBBAA at `pixel`, when given
        QTest::newRow("SkTrooperSkins.utx")
            << "61 24 3 6 3" << 5 << "T_Skaarj1 Engine.Texture 256x256 P8" << QPoint(128, 100)
            << 0x825236FFu;
        QTest::newRow("BossSkins.utx")
            << "68 63 3 44 22" << 0 << "Palette65 Engine.Palette" << QPoint() << 0u;
        QTest::newRow("FractalFX.utx")
            << "68 54 7 26 13" << 16 << "KScan2 Engine.Texture 256x64 P8" << QPoint() << 0u;
        QTest::newRow("tcowmeshskins.utx")
            << "69 39 3 19 10" << 11 << "COW-face Engine.Texture 64x64 P8" << QPoint(4, 0) << 0u;
    }
    void realPackages() {
        QFETCH(QString, counts);
        QFETCH(int, index);
        QFETCH(QString, described);
        QFETCH(QPoint, pixel);
        QFETCH(quint32, rgba);
        const QString path = FullPackagesDir() + '/' + QTest::currentDataTag();
        if (!QFileInfo::exists(path))
            QSKIP("whole game packages are not available");
        const PackageResult<UnrealPackage> package = UnrealPackage::open(path);
        QVERIFY2(package, qPrintable(package.error()));
        int textures = 0;
        for (int i = 0; i < package->exports().size(); ++i) {
            if (!package->isTexture(i))
                continue;
            const PackageResult<RgbaImage> image = package->decodeTopMip(i);
            QVERIFY2(image, qPrintable(image.error()));
            textures += image->pixels.size() == image->width * image->height * 4;
        }
        const QString actual = QStringLiteral("%1 %2 %3 %4 %5")
                                   .arg(package->header().version)
                                   .arg(package->names().size())
                                   .arg(package->imports().size())
                                   .arg(package->exports().size())
                                   .arg(textures);
        QCOMPARE(actual, counts);
        QCOMPARE(Describe(*package, index), described);
        if (pixel.isNull())
            return;
        const RgbaImage image = *package->decodeTopMip(index);
        const qsizetype at = (qsizetype(pixel.y()) * image.width + pixel.x()) * 4;
        QCOMPARE(qFromBigEndian<quint32>(image.pixels.constData() + at), rgba);
    }
};

QTEST_GUILESS_MAIN(tst_UnrealPackage)
#include "tst_UnrealPackage.moc"
