#include "TestPaths.h"
#include "Thumbnail.h"
#include "UtxBuilder.h"
#include "package/UnrealPackage.h"

#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Runs varnwick-thumbnailer; its exit status, or -1 when it crashed or hung.
int RunThumbnailer(const QString& size, const QString& input, const QString& output) {
    QProcess process;
    process.start(BuiltBinDir() + "/varnwick-thumbnailer", {size, input, output});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

} // namespace

class tst_Thumbnailer : public QObject {
    Q_OBJECT

private slots:
    void gamePackage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("shown"); // the texture the thumbnail shows
        QTest::newRow("old layout") << "SkTrooperSkins.utx" << 128 << "T_Skaarj1";
        QTest::newRow("faces and team colours") << "BossSkins.utx" << 256 << "boss1";
        QTest::newRow("latest version") << "tcowmeshskins.utx" << 100 << "atomiccow";
        QTest::newRow("no skins") << "FractalFX.utx" << 1024 << "DaveJump";
    }
    void gamePackage() {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(QString, shown);
        const QString path = FullPackagesDir() + '/' + name;
        if (!QFileInfo::exists(path))
            QSKIP("whole game packages are not available");
        const QTemporaryDir dir;
        const QString output = dir.filePath("thumbnail.png");
        QCOMPARE(RunThumbnailer(QString::number(size), path, output), 0);
        const QImage image(output, "PNG");
        QVERIFY(!image.isNull());
        QVERIFY(image.width() <= size && image.height() <= size);
        QVERIFY(DistinctColours(image) > 16);
        const PackageResult<UnrealPackage> package = UnrealPackage::open(path);
        QVERIFY(package);
        QCOMPARE(package->exports()[ThumbnailCandidates(*package).value(0)].name, shown);
    }

    // Nothing is written for what cannot be shown, and the program ends.
    void refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("status");
        const QByteArray boss = FileBytes(FullPackagesDir() + "/BossSkins.utx");
        QTest::newRow("text file") << QByteArray("[public]\r\nObject=(Name=a.b)\r\n") << "128" << 2;
        QTest::newRow("names only") << BuildUtx64({"None", "boss1"}) << "128" << 2;
        QTest::newRow("truncated package") << boss.left(boss.size() / 2) << "128" << 2;
        QTest::newRow("size zero") << boss << "0" << 1;
        QTest::newRow("size not a number") << boss << "big" << 1;
    }
    void refused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, size);
        QFETCH(int, status);
        if (bytes.isEmpty())
            QSKIP("whole game packages are not available");
        const QTemporaryDir dir;
        const QString input = dir.filePath("input.utx");
        const QString output = dir.filePath("thumbnail.png");
        QVERIFY(WriteBytes(input, bytes));
        QCOMPARE(RunThumbnailer(size, input, output), status);
        QVERIFY(!QFileInfo::exists(output));
    }
};

QTEST_GUILESS_MAIN(tst_Thumbnailer)
#include "tst_Thumbnailer.moc"
