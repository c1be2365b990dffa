#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/PackageReader.h"

#include <QTest>

namespace {
// What a failed read must leave exactly as it was.
const PackageRecord Earlier{"Earlier.utx", "Earlier", 1, {"earlier1"}};
const QString Long63(63, 'A'), Long31(31, 'N');
const QStringList Refused; // no names: the read fails
} // namespace

class tst_PackageReader : public QObject {
    Q_OBJECT

private slots:
    // Both layouts; counts and lengths no genuine package has are refused
    // before anything is allocated, leaving the record as it was.
    void readsNameTable_data() {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("64") << BuildUtx64({"None", "MyFace", "\u00C0\u0160\u20AC"})
                            << QStringList{"none", "myface", "\u00E0\u0161\u20AC"};
        QTest::newRow("64, 63 characters")
            << BuildUtx64({Long63, "F"}) << QStringList{Long63.toLower(), "f"};
        QTest::newRow("60") << BuildUtx60({"None", "2Skin", "_Face"})
                            << QStringList{"none", "skin", "_face"};
        QTest::newRow("60, 31 characters cost a slot")
            << BuildUtx(3, 60, Utx60Entry(Long31.toLatin1()) + Utx60Entry("F"))
            << QStringList{"", Long31.toLower(), "f"};
        QTest::newRow("60, scan stops at the end")
            << BuildUtx(3, 60, Utx60Entry("N")) << QStringList{"n", "", ""};
        QTest::newRow("header cut") << BuildUtx64({"None"}).left(43) << Refused;
        QTest::newRow("no names") << BuildUtx(0, 64, Utx64Entry("None")) << Refused;
        QTest::newRow("count 2^31-1") << BuildUtx(0x7FFFFFFF, 60, Utx60Entry("N")) << Refused;
        QTest::newRow("count beyond the size") << BuildUtx(50, 48, "\1") << Refused;
        QTest::newRow("zero length") << BuildUtx(1, 64, Utx64Entry("").mid(1)) << Refused;
        QTest::newRow("negative length") << BuildUtx(1, 64, QByteArray("\x85") + "abcd") << Refused;
        QTest::newRow("length 2^32 + 5")
            << BuildUtx(1, 64, QByteArray("\x45\x80\x80\x80\x20") + "abcd") << Refused;
        QTest::newRow("60, name of 256")
            << BuildUtx(400, 60, Utx60Entry(QByteArray(256, 'L')) + QByteArray(99, 1)) << Refused;
    }
    void readsNameTable() {
        QFETCH(QByteArray, package);
        QFETCH(QStringList, names);
        PackageRecord record = Earlier;
        QCOMPARE(ReadUTXBytes(package, "/home/u/.loki/ut/A.b/Skin.utx", record), !names.isEmpty());
        const PackageRecord read{"Skin.utx", "Skin", qint32(names.size()), names};
        QCOMPARE(record, names.isEmpty() ? Earlier : read);
    }

    // A dot in a folder is no extension; a name too short for one, no package.
    void fileNames() {
        QCOMPARE(ShortUTXName("/home/u/.loki/A.b/Skin.v2.utx", true, true), "Skin");
        PackageRecord record = Earlier;
        QVERIFY(!ReadUTXBytes(BuildUtx64({"None"}), "/t/x.u", record));
        QCOMPARE(record, Earlier);
    }

    // Game packages of no known type, or without the game's .int to check the text against.
    void realPackages_data() {
        QTest::addColumn<QString>("names"); // the count, the first two, one further on
        QTest::newRow("DacomaSkins.utx") << "42 internaltime none dacomaskins";
        QTest::newRow("tcowmeshskins.utx") << "39 internaltime none atomiccowface";
    }
    void realPackages() {
        QFETCH(QString, names);
        REQUIRE_FIXTURE(QTest::currentDataTag());
        PackageRecord record;
        QVERIFY(ReadUTXFile(FixturesDir() + '/' + QTest::currentDataTag(), record));
        const QStringList some = names.split(' ');
        QCOMPARE(record.NameCount, some[0].toInt());
        QCOMPARE(record.Names.size(), record.NameCount);
        QCOMPARE(record.Names.first(2), some.sliced(1, 2));
        QVERIFY(record.Names.contains(some[3]) && !record.Names.contains(QString()));
    }
};

QTEST_GUILESS_MAIN(tst_PackageReader)
#include "tst_PackageReader.moc"
