#include "TestPaths.h"
#include "UtxBuilder.h"
#include "package/UnrealPackage.h"

#include <QTest>
#include <QtEndian>

namespace {
QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes += char(v);
    return bytes;
}

// Palette colour i is (i, 2i, 3i) with a stored alpha of 7, which is no opacity.
QByteArray Colours(int count = 256) {
    QByteArray colours;
    for (int i = 0; i < count; ++i)
        colours += Bytes({i, 2 * i, 3 * i, 7});
    return colours;
}

// A DXT colour block: red (F800) and blue (001F) in the given order; row 0
// picks colours 0, 1, 2 and 3, the other rows colour 0.
QByteArray ColourBlock(bool redFirst) {
    return (redFirst ? Bytes({0x00, 0xF8, 0x1F, 0x00}) : Bytes({0x1F, 0x00, 0x00, 0xF8})) +
           Bytes({0xE4, 0, 0, 0});
}
} // namespace

class tst_UnrealPackage : public QObject {
    Q_OBJECT

private slots:
    // Pixels chosen here, in every format the engine decodes, in the layouts
    // of versions 61, 68 (two generations, compressed mips) and 69; a group
    // puts a texture's path under it.
    void decodesTopMip_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("pixels");
        QTest::addColumn<bool>("masked");
        QTest::addColumn<QByteArray>("row0"); // the first row, in RGBA
        const auto opaque = [](int i) { return Bytes({i, 2 * i, 3 * i, 255}); };
        QTest::newRow("P8, 61") << 61 << 0 << QSize(3, 1) << Bytes({0, 1, 255}) << false
                                << opaque(0) + opaque(1) + Bytes({255, 254, 253, 255});
        QTest::newRow("P8 masked, 68") << 68 << 0 << QSize(2, 2) << Bytes({0, 9, 9, 0}) << true
                                       << Bytes({0, 0, 0, 0}) + opaque(9);
        QTest::newRow("RGB8") << 69 << 4 << QSize(2, 1) << Bytes({1, 2, 3, 4, 5, 6}) << false
                              << Bytes({1, 2, 3, 255, 4, 5, 6, 255});
        QTest::newRow("RGBA8 is stored B, G, R, A")
            << 69 << 5 << QSize(1, 1) << Bytes({3, 2, 1, 4}) << false << Bytes({1, 2, 3, 4});
        QTest::newRow("DXT1, four colours")
            << 69 << 3 << QSize(4, 4) << ColourBlock(true) << false
            << Bytes({255, 0, 0, 255, 0, 0, 255, 255, 170, 0, 85, 255, 85, 0, 170, 255});
        QTest::newRow("DXT1, three colours and transparency")
            << 61 << 3 << QSize(4, 4) << ColourBlock(false) << false
            << Bytes({0, 0, 255, 255, 255, 0, 0, 255, 127, 0, 127, 255, 0, 0, 0, 0});
        QTest::newRow("DXT1, 2 × 2 from one block")
            << 69 << 3 << QSize(2, 2) << ColourBlock(true) << false
            << Bytes({255, 0, 0, 255, 0, 0, 255, 255});
        QTest::newRow("DXT3") << 68 << 6 << QSize(4, 4)
                              << Bytes({0xF0, 0x5F, 0, 0, 0, 0, 0, 0}) + ColourBlock(true) << false
                              << Bytes({255, 0, 0, 0, 0, 0, 255, 255, 170, 0, 85, 255, 85, 0, 170,
                                        85});
        QTest::newRow("DXT5") << 69 << 7 << QSize(4, 4)
                              << Bytes({255, 0, 0x88, 0x0E, 0, 0, 0, 0}) + ColourBlock(true)
                              << false
                              << Bytes({255, 0, 0, 255, 0, 0, 255, 0, 170, 0, 85, 218, 85, 0, 170,
                                        36});
    }
    void decodesTopMip() {
        QFETCH(int, version);
        QFETCH(int, format);
        QFETCH(QSize, size);
        QFETCH(QByteArray, pixels);
        QFETCH(bool, masked);
        QFETCH(QByteArray, row0);
        PackageBuilder builder(quint16(version), version == 68 ? 2 : 1);
        const qint32 palette = builder.palette("Pal", Colours(), builder.group("Pals"));
        TextureShape shape{format, size.width(), size.height(), pixels, palette, masked};
        if (version == 68) // compressed mips follow the others; the top mip is still the first
            shape.compressed = ColourBlock(true);
        builder.texture("Skin", shape, builder.group("Body"));
        const PackageResult<UnrealPackage> package =
            UnrealPackage::fromBytes(builder.build(), "Pkg");
        QVERIFY2(package, qPrintable(package.error()));
        QCOMPARE(package->exports()[3].path, "Body.Skin");
        QCOMPARE(package->exports()[3].className, "Engine.Texture");
        QCOMPARE(package->texture(3)->masked, masked);
        QCOMPARE(package->texture(3)->compMips.size(), version == 68 ? 1 : 0);
        const PackageResult<RgbaImage> image = package->decodeTopMip(3);
        QVERIFY2(image, qPrintable(image.error()));
        QCOMPARE(QSize(image->width, image->height), size);
        QCOMPARE(image->pixels.size(), size.width() * size.height() * 4);
        QCOMPARE(image->pixels.left(row0.size()), row0);
    }

    // Damage anywhere is refused with a reason, for the package or the object.
    void refusesDamage_data() {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<int>("index"); // the texture decoded; -1: the package is refused
        QTest::addColumn<QString>("error");
        const auto build = [](const std::function<void(PackageBuilder&)>& add) {
            PackageBuilder builder;
            add(builder);
            return builder.build();
        };
        const QByteArray texture = build([](PackageBuilder& b) {
            b.texture("T", TextureShape{0, 2, 2, QByteArray(4, '\0'), b.palette("P", Colours())});
        });
        QTest::newRow("outer loop") << build([](PackageBuilder& b) {
            b.object(b.classRef("Core", "Package"), 2, "A", {});
            b.object(b.classRef("Core", "Package"), 1, "B", {});
        }) << -1 << "form a loop";
        QTest::newRow("outer out of range")
            << build([](PackageBuilder& b) { b.object(b.classRef("Core", "Package"), 9, "A", {}); })
            << -1 << "export 0 is cut short or damaged";
        QByteArray imports = texture;
        PutInt32(imports, 28, 0x7FFFFFFF);
        QTest::newRow("import count") << imports << -1 << "import table does not fit";
        QByteArray exports = texture;
        PutInt32(exports, 24, qint32(exports.size()) - 3);
        QTest::newRow("export table cut") << exports << -1 << "export table does not fit";
        QTest::newRow("property list off its object") << build([](PackageBuilder& b) {
            b.object(b.classRef("Engine", "Texture"), 0, "T",
                     CompactIndex(b.name("USize")) + Bytes({0x22, 1, 0}));
        }) << 0 << "property list runs past its object";
        QTest::newRow("mip larger than its object") << build([](PackageBuilder& b) {
            b.object(b.classRef("Engine", "Texture"), 0, "T",
                     CompactIndex(b.name("None")) + Bytes({1, 0, 0, 0, 0}) + CompactIndex(900) +
                         QByteArray(10, '\0'));
        }) << 0 << "mip 0 runs past its object";
        QTest::newRow("mip smaller than its size") << build([](PackageBuilder& b) {
            b.texture("T", TextureShape{0, 4, 4, QByteArray(8, '\0'), b.palette("P", Colours())});
        }) << 1 << "holds 8 bytes, 4 × 4 P8 needs 16";
        QTest::newRow("palette of 255") << build([](PackageBuilder& b) {
            b.texture("T", TextureShape{0, 1, 1, "x", b.palette("P", Colours(255))});
        }) << 1 << "255 colours instead of 256";
        QTest::newRow("no palette") << build([](PackageBuilder& b) {
            b.texture("T", TextureShape{0, 1, 1, "x"});
        }) << 0 << "its palette cannot be read";
        QTest::newRow("RGBA7") << build([](PackageBuilder& b) {
            b.texture("T", TextureShape{1, 1, 1, "abcd"});
        }) << 0 << "its format RGBA7 cannot be decoded";
    }
    void refusesDamage() {
        QFETCH(QByteArray, package);
        QFETCH(int, index);
        QFETCH(QString, error);
        const PackageResult<UnrealPackage> opened = UnrealPackage::fromBytes(package, "Pkg");
        QCOMPARE(bool(opened), index >= 0);
        const QString reason = opened ? opened->decodeTopMip(index).error() : opened.error();
        QVERIFY2(reason.contains(error), qPrintable(reason));
    }

    // The game's own packages: every table, every texture decodes, and pixels
    // whose bytes were looked up by hand in the files.
    void realPackages_data() {
        // version, names, imports, exports, textures; the export at `index`
        QTest::addColumn<QString>("described");
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<quint32>("rgba"); // 0xRRGGBBAA at `pixel`, when given
        QTest::newRow("SkTrooperSkins.utx") << "61 24 3 6 3 T_Skaarj1 Engine.Texture 256x256 P8"
                                            << 5 << QPoint(128, 100) << 0x825236FFu;
        QTest::newRow("BossSkins.utx")
            << "68 63 3 44 22 Palette65 Engine.Palette" << 0 << QPoint() << 0u;
        QTest::newRow("FractalFX.utx")
            << "68 54 7 26 13 KScan2 Engine.Texture 256x64 P8" << 16 << QPoint() << 0u;
        QTest::newRow("tcowmeshskins.utx")
            << "69 39 3 19 10 COW-face Engine.Texture 64x64 P8" << 11 << QPoint(4, 0) << 0u;
    }
    void realPackages() {
        QFETCH(QString, described);
        QFETCH(int, index);
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
        const PackageExport& e = package->exports()[index];
        QString actual = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                             .arg(package->header().version)
                             .arg(package->names().size())
                             .arg(package->imports().size())
                             .arg(package->exports().size())
                             .arg(textures)
                             .arg(e.path, e.className);
        if (const PackageResult<TextureInfo> texture = package->texture(index))
            actual += QStringLiteral(" %1x%2 ").arg(texture->width()).arg(texture->height()) +
                      TextureFormatName(texture->format);
        QCOMPARE(actual, described);
        if (pixel.isNull())
            return;
        const RgbaImage image = *package->decodeTopMip(index);
        const qsizetype at = (qsizetype(pixel.y()) * image.width + pixel.x()) * 4;
        QCOMPARE(qFromBigEndian<quint32>(image.pixels.constData() + at), rgba);
    }
};

QTEST_GUILESS_MAIN(tst_UnrealPackage)
#include "tst_UnrealPackage.moc"
