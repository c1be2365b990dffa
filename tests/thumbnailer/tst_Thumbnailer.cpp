#include "TestPaths.h"
#include "Thumbnail.h"
#include "UtxBuilder.h"
#include "package/UnrealPackage.h"

#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class tst_Thumbnailer : public QObject {
    Q_OBJECT

private slots:
    // The first body texture that decodes, scaled down to fit, never up: the
    // made package's 64 x 16 one, after its first body texture failed. Nothing
    // is written for what cannot be shown, and the program ends.
    void thumbnail_data() {
        QTest::addColumn<QByteArray>("bytes"); // the package
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("status");
        QTest::addColumn<QSize>("picture"); // when made
        QTest::addColumn<QString>("first"); // the texture tried first
        PackageBuilder made;
        QByteArray wide(64 * 16 * 4, '\xFF'); // reds rising pixel by pixel
        for (qsizetype i = 0; i < wide.size(); i += 4)
            wide[i] = char(i / 4);
        made.texture("cccc2", TextureShape{5, 4, 4, QByteArray(64, '\x7F')});
        made.texture("aaaa1", TextureShape{1, 4, 4, QByteArray(64, '\0')}); // RGBA7: not decoded
        made.texture("bbbb1", TextureShape{5, 64, 16, wide});
        QTest::newRow("made") << made.build() << "32" << 0 << QSize(32, 8) << "aaaa1";
        const auto game = [](const char* name) {
            return FileBytes(FullPackagesDir() + '/' + QLatin1String(name));
        };
        const QByteArray boss = game("BossSkins.utx");
        QTest::newRow("faces and team colours") << boss << "256" << 0 << QSize(256, 256) << "boss1";
        QTest::newRow("no skins") << game("FractalFX.utx") << "1024" << 0 << QSize(256, 256)
                                  << "DaveJump";
        QTest::newRow("names only") << BuildUtx64({"None", "boss1"}) << "128" << 2 << QSize() << "";
        QTest::newRow("truncated package")
            << boss.left(boss.size() / 2) << "128" << 2 << QSize() << "";
        QTest::newRow("size not a number") << made.build() << "big" << 1 << QSize() << "";
    }
    void thumbnail() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, size);
        QFETCH(int, status);
        QFETCH(QSize, picture);
        QFETCH(QString, first);
        if (bytes.isEmpty())
            QSKIP("whole game packages are not available");
        const QTemporaryDir dir;
        const QString input = dir.filePath("input.utx");
        const QString output = dir.filePath("thumbnail.png");
        QVERIFY(WriteBytes(input, bytes));
        QProcess thumbnailer; // ends normally, neither crashing nor hanging
        thumbnailer.start(BuiltBinDir() + "/varnwick-thumbnailer", {size, input, output});
        QVERIFY(thumbnailer.waitForFinished(60000));
        QCOMPARE(thumbnailer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(thumbnailer.exitCode(), status);
        QCOMPARE(QFileInfo::exists(output), status == 0);
        if (status != 0)
            return;
        const QImage image(output, "PNG");
        QCOMPARE(image.size(), picture);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 1);
        const PackageResult<UnrealPackage> package = UnrealPackage::open(input);
        QVERIFY(package);
        QCOMPARE(package->exports()[ThumbnailCandidates(*package).value(0)].name, first);
    }
};

QTEST_GUILESS_MAIN(tst_Thumbnailer)
#include "tst_Thumbnailer.moc"
