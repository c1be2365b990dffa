#include "UtxBuilder.h"
#include "engine/PackageReader.h"
#include "services/FilePaths.h"

#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

namespace {
// What a failed read must leave exactly as it was.
const PackageRecord Earlier{"Earlier.utx", "Earlier", 1, {"earlier1"}};
const QString Long63(63, 'A'), Long31(31, 'N');
const QStringList Refused; // no names: the read fails

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
} // namespace

class tst_PackageReader : public QObject {
    Q_OBJECT

private slots:
    // Both layouts, found where the header puts them; counts, lengths and
    // tables the file cannot hold are refused before anything is allocated
    // for them, leaving the record as it was.
    void readsNameTable_data() {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("64") << BuildUtx64({"None", "MyFace", "\u00C0\u0160\u20AC", Long63})
                            << QStringList{"none", "myface", "\u00E0\u0161\u20AC",
                                           Long63.toLower()};
        // Before version 64 names end at their terminator: a leading digit and
        // a name over 30 characters are kept as they are.
        QTest::newRow("61") << PackageBuilder(61, 1, {"None", "2Skin", "_Face", Long31}).build()
                            << QStringList{"none", "2skin", "_face", Long31.toLower()};
        QTest::newRow("68, two generations: table at 72")
            << PackageBuilder(68, 2, {"None", "Skin1"}).build() << QStringList{"none", "skin1"};
        QTest::newRow("61, cut inside the table")
            << PackageBuilder(61, 1, {"None", "Face"}).build().left(74) << Refused;
        QTest::newRow("64, cut inside the table")
            << BuildUtx64({"None", "Face"}).left(76) << Refused;
        QTest::newRow("no package tag")
            << QByteArray(4, 'x') + BuildUtx64({"None"}).mid(4) << Refused;
        QTest::newRow("header cut") << BuildUtx64({"None"}).left(43) << Refused;
        QTest::newRow("no names") << BuildUtx(0, 64, "\x05None\0") << Refused;
        QTest::newRow("count 2^31-1") << BuildUtx(0x7FFFFFFF, 64, "\x05None\0") << Refused;
        QTest::newRow("zero length") << BuildUtx(1, 64, QByteArray(5, '\0')) << Refused;
        QTest::newRow("length 2^32 + 5")
            << BuildUtx(1, 64, QByteArray("\x45\x80\x80\x80\x20") + "abcd") << Refused;
        QTest::newRow("61, name of 256")
            << BuildUtx(1, 60, QByteArray(256, 'L') + QByteArray(99, 1)) << Refused;
    }
    void readsNameTable() {
        QFETCH(QByteArray, package);
        QFETCH(QStringList, names);
        PackageRecord record = Earlier;
        QCOMPARE(ReadUTXBytes(package, "/home/u/.loki/ut/A.b/Skin.utx", record), !names.isEmpty());
        const PackageRecord read{"Skin.utx", "Skin", qint32(names.size()), names};
        QCOMPARE(record, names.isEmpty() ? Earlier : read);
    }

    // Huge sparse files: a claimed count of 2^31-1 is refused at once, and a
    // large package is mapped, never read whole, before its names are taken.
    void largeFiles_data() {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("2 GB, 2^31-1 names")
            << BuildUtx(0x7FFFFFFF, 64, "\x05None\0") << (qint64(2) << 30) << Refused;
        QTest::newRow("1 GB package")
            << BuildUtx64({"None", "Skin1"}) << (qint64(1) << 30) << QStringList{"none", "skin1"};
    }
    void largeFiles() {
        QFETCH(QByteArray, start);
        QFETCH(qint64, size);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        QFile file(dir.filePath("Big.utx"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(start) == start.size() &&
                file.resize(size));
        file.close();
        PackageRecord record;
        const long residentBefore = PeakResidentKb();
        QCOMPARE(ReadUTXFile(file.fileName(), record), !names.isEmpty());
        QCOMPARE(record.Names, names);
        QCOMPARE_LT(PeakResidentKb() - residentBefore, 64 * 1024);
    }

    // A dot in a folder is no extension; a name too short for one, no package.
    void fileNames() {
        QCOMPARE(ShortUTXName("/home/u/.loki/A.b/Skin.v2.utx", true, true), "Skin");
        PackageRecord record = Earlier;
        QVERIFY(!ReadUTXBytes(BuildUtx64({"None"}), "/t/x.u", record));
        QCOMPARE(record, Earlier);
    }
};

QTEST_GUILESS_MAIN(tst_PackageReader)
#include "tst_PackageReader.moc"
