#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/PackageReader.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>

namespace {

const QByteArray Flags = DefaultNameFlags();

QByteArray Repeated(char c, int count) {
    return QByteArray(count, c);
}

// A record that a failed read must leave exactly as it was.
PackageRecord EarlierPackage() {
    PackageRecord record;
    record.FileName = QStringLiteral("Earlier.utx");
    record.PackageName = QStringLiteral("Earlier");
    record.GameType = QStringLiteral("UT");
    record.NameCount = 1;
    record.Names = {QStringLiteral("earlier1")};
    return record;
}

} // namespace

class tst_PackageReader : public QObject {
    Q_OBJECT

private slots:
    void readsNameTable_data();
    void readsNameTable();
    void refusesMalformedTable_data();
    void refusesMalformedTable();
    void impossibleNameCountFailsAtOnce();
    void scanningStopsAtEndOfFile();
    void fileAndPackageName_data();
    void fileAndPackageName();
    void shortFileNameFailsWithoutChange();
    void fileExists();
    void readsFromDisk();
    void emptyOrMissingFileFails();
    void shortUTXName_data();
    void shortUTXName();
    void realPackages_data();
    void realPackages();
};

void tst_PackageReader::readsNameTable_data() {
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("length-prefixed")
        << BuildUtx64({"None", "Skin1", "MyFace"}) << QStringList{"none", "skin1", "myface"};
    QTest::newRow("length-prefixed, 63 characters need a two-byte length")
        << BuildUtx64({QString(63, QLatin1Char('A')), "Foot1", "x"})
        << QStringList{QString(63, QLatin1Char('a')), "foot1", "x"};
    QTest::newRow("length-prefixed, 62 characters keep the one-byte length")
        << BuildUtx64({QString(62, QLatin1Char('B')), "Foot1"})
        << QStringList{QString(62, QLatin1Char('b')), "foot1"};
    QTest::newRow("length-prefixed, 300 characters")
        << BuildUtx64({QString(300, QLatin1Char('c')), "Face"})
        << QStringList{QString(300, QLatin1Char('c')), "face"};
    QTest::newRow("length-prefixed, Windows-1252 letters lower-cased")
        << BuildUtx(1, 64, Utx64Entry("\xC0\x8A\xC9t\x80"))
        << QStringList{"\u00E0\u0161\u00E9t\u20AC"};
    QTest::newRow("length-prefixed, last name cut by the end of the file")
        << BuildUtx(2, 64, Utx64Entry("Skin1") + CompactIndex(10) + "Fac")
        << QStringList{"skin1", "fac"};

    QTest::newRow("scanned") << BuildUtx60({"None", "Skin1", "MyFace"})
                             << QStringList{"none", "skin1", "myface"};
    QTest::newRow("scanned, leading character below A dropped")
        << BuildUtx60({"2Skin", "_Face", "@x"}) << QStringList{"skin", "_face", "x"};
    QTest::newRow("scanned, other end marker values")
        << BuildUtx(2, 60, Utx60Entry("One", "\x12\x55\x04\x99") + Utx60Entry("Two"))
        << QStringList{"one", "two"};
    QTest::newRow("scanned, zero flags are no end marker")
        << BuildUtx(2, 60, Utx60Entry("Ab", QByteArray(4, '\0')) + Utx60Entry("Cd"))
        << QStringList{QStringLiteral("ab") + QString(5, QChar(0)) + "cd", QString()};
    QTest::newRow("scanned, 30 characters fit one slot")
        << BuildUtx60({QString(30, QLatin1Char('N')), "Face"})
        << QStringList{QString(30, QLatin1Char('n')), "face"};
    QTest::newRow("scanned, 31 characters cost one empty slot")
        << BuildUtx(3, 60, Utx60Entry(Repeated('N', 31)) + Utx60Entry("Face"))
        << QStringList{QString(), QString(31, QLatin1Char('n')), "face"};
    QTest::newRow("scanned, 33 characters cost three empty slots")
        << BuildUtx(5, 60, Utx60Entry(Repeated('Y', 33)) + Utx60Entry("Face"))
        << QStringList{QString(), QString(), QString(), QString(33, QLatin1Char('y')), "face"};
    QTest::newRow("scanned, 255 characters still a name")
        << BuildUtx(226, 60, Utx60Entry(Repeated('L', 255)))
        << (QStringList(225) << QString(255, QLatin1Char('l')));

    QTest::newRow("other table offset gives empty names")
        << BuildUtx(3, 48, "\x05None\0\0\0\0\0") << QStringList(3);
}

void tst_PackageReader::readsNameTable() {
    QFETCH(QByteArray, package);
    QFETCH(QStringList, names);
    PackageRecord record;
    QVERIFY(ReadUTXBytes(package, QStringLiteral("Skin.utx"), record));
    QCOMPARE(record.Names, names);
    QCOMPARE(record.NameCount, names.size());
    QCOMPARE(record.GameType, QString());
}

void tst_PackageReader::refusesMalformedTable_data() {
    QTest::addColumn<QByteArray>("package");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut short") << BuildUtx64({"None"}).left(43);
    QTest::newRow("no names") << BuildUtx(0, 64, Utx64Entry("None"));
    QTest::newRow("negative name count") << BuildUtx(-1, 64, Utx64Entry("None"));
    QTest::newRow("zero length") << BuildUtx(1, 64, QByteArray("\0None\0", 6) + Flags);
    QTest::newRow("negative length") << BuildUtx(1, 64, CompactIndex(-5) + "None" + '\0' + Flags);
    QTest::newRow("negative zero length") << BuildUtx(1, 64, "\x80None" + Flags);
    QTest::newRow("length beyond 32 bits") << BuildUtx(1, 64, "\x7F\xFF\xFF\xFF\x7F" + Flags);
    QTest::newRow("length-prefixed table shorter than its count")
        << BuildUtx(3, 64, Utx64Entry("None") + Utx64Entry("Skin1"));
    QTest::newRow("scanned, marker where a name should start")
        << BuildUtx(2, 60, Utx60Entry("None") + Utx60Entry(""));
    QTest::newRow("scanned, name of 256 characters")
        << BuildUtx(400, 60, Utx60Entry(Repeated('L', 256)) + Repeated('\x01', 200));
}

void tst_PackageReader::refusesMalformedTable() {
    QFETCH(QByteArray, package);
    PackageRecord record = EarlierPackage();
    QVERIFY(!ReadUTXBytes(package, QStringLiteral("Skin.utx"), record));
    QCOMPARE(record, EarlierPackage());
}

void tst_PackageReader::impossibleNameCountFailsAtOnce() {
    // A count of two billion names in a small file must neither allocate the
    // names nor scan for them.
    for (qint32 tableOffset : {64, 60, 48}) {
        PackageRecord record;
        QByteArray package = BuildUtx(0x7FFFFFFF, tableOffset, Utx64Entry("None"));
        QVERIFY(!ReadUTXBytes(package, QStringLiteral("Big.utx"), record));
        package = BuildUtx(package.size() + 1, tableOffset, Utx64Entry("None"));
        QVERIFY(!ReadUTXBytes(package, QStringLiteral("Big.utx"), record));
        QCOMPARE(record, PackageRecord{});
    }
}

void tst_PackageReader::scanningStopsAtEndOfFile() {
    // The count allows as many names as the file has bytes, but the table
    // holds one: the rest stay empty and nothing beyond the file is read.
    QByteArray package = BuildUtx60({"None"});
    package += QByteArray(200'000, 'x');
    const qint32 count = qint32(package.size());
    qToLittleEndian(count, package.data() + 12);
    PackageRecord record;
    QVERIFY(ReadUTXBytes(package, QStringLiteral("Long.utx"), record));
    QCOMPARE(record.NameCount, count);
    QCOMPARE(record.Names.first(), QStringLiteral("none"));
    QVERIFY(std::all_of(record.Names.cbegin() + 1, record.Names.cend(),
                        [](const QString& n) { return n.isEmpty(); }));
}

void tst_PackageReader::fileAndPackageName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("packageName");

    QTest::newRow("linux path") << "/home/u/.loki/ut/Textures/SoldierSkins_Foo.utx"
                                << "SoldierSkins_Foo.utx"
                                << "SoldierSkins_Foo";
    QTest::newRow("windows path") << "C:\\UT\\Textures\\Skin.utx"
                                  << "Skin.utx"
                                  << "Skin";
    QTest::newRow("mixed separators") << "C:\\UT/Textures\\Skin.utx"
                                      << "Skin.utx"
                                      << "Skin";
    QTest::newRow("no folder") << "Skin.utx"
                               << "Skin.utx"
                               << "Skin";
    QTest::newRow("four characters") << "/t/a.ut"
                                     << "a.ut"
                                     << "";
}

void tst_PackageReader::fileAndPackageName() {
    QFETCH(QString, path);
    QFETCH(QString, fileName);
    QFETCH(QString, packageName);
    PackageRecord record;
    QVERIFY(ReadUTXBytes(BuildUtx64({"None"}), path, record));
    QCOMPARE(record.FileName, fileName);
    QCOMPARE(record.PackageName, packageName);
}

void tst_PackageReader::shortFileNameFailsWithoutChange() {
    PackageRecord record = EarlierPackage();
    QVERIFY(!ReadUTXBytes(BuildUtx64({"None"}), QStringLiteral("/textures/x.u"), record));
    QCOMPARE(record, EarlierPackage());
}

void tst_PackageReader::fileExists() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString full = dir.filePath(QStringLiteral("full.utx"));
    const QString empty = dir.filePath(QStringLiteral("empty.utx"));
    QVERIFY(WriteBytes(full, "x"));
    QVERIFY(WriteBytes(empty, ""));
    QVERIFY(FileExists(full));
    QVERIFY(!FileExists(empty));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("missing.utx"))));
    QVERIFY(!FileExists(dir.path()));
    QVERIFY(!FileExists(QString()));
}

void tst_PackageReader::readsFromDisk() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("SoldierSkins_Foo.utx"));
    QVERIFY(WriteBytes(path, BuildUtx60({"None", "Foot1"})));
    PackageRecord record = EarlierPackage();
    QVERIFY(ReadUTXFile(path, record));
    QCOMPARE(record.Names, (QStringList{"none", "foot1"}));
    QCOMPARE(record.PackageName, QStringLiteral("SoldierSkins_Foo"));
    QCOMPARE(record.GameType, QStringLiteral("UT")); // never touched by reading
}

void tst_PackageReader::emptyOrMissingFileFails() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString empty = dir.filePath(QStringLiteral("Empty.utx"));
    QVERIFY(WriteBytes(empty, ""));
    PackageRecord record = EarlierPackage();
    QVERIFY(!ReadUTXFile(empty, record));
    QVERIFY(!ReadUTXFile(dir.filePath(QStringLiteral("Missing.utx")), record));
    QVERIFY(!ReadUTXFile(dir.path(), record));
    QCOMPARE(record, EarlierPackage());
}

void tst_PackageReader::shortUTXName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("dropExtension");
    QTest::addColumn<bool>("dropFolder");
    QTest::addColumn<QString>("result");

    const QString loki = QStringLiteral("/home/u/.loki/ut/Textures/SoldierSkins_Foo.utx");
    QTest::newRow("both, dotted folder") << loki << true << true << "SoldierSkins_Foo";
    QTest::newRow("extension only, dotted folder")
        << loki << true << false << "/home/u/.loki/ut/Textures/SoldierSkins_Foo";
    QTest::newRow("folder only") << loki << false << true << "SoldierSkins_Foo.utx";
    QTest::newRow("windows path, both") << "C:\\UT\\Textures\\Skin.utx" << true << true << "Skin";
    QTest::newRow("windows path, folder only")
        << "C:\\UT\\Textures\\Skin.utx" << false << true << "Skin.utx";
    QTest::newRow("windows dotted folder") << "C:\\Games.Old\\Skin.utx" << true << true << "Skin";
    QTest::newRow("two dots in the file name") << "/t/Skin.v2.utx" << true << true << "Skin";
    QTest::newRow("no dot, both") << "Skin" << true << true << "";
    QTest::newRow("no dot in the file name") << "/t/.d/Skin" << true << true << "";
    QTest::newRow("neither flag") << "C:\\a.b\\Skin" << false << false << "C:\\a.b\\Skin";
    QTest::newRow("trailing separator") << "/t/" << false << true << "";
    QTest::newRow("empty") << "" << true << true << "";
}

void tst_PackageReader::shortUTXName() {
    QFETCH(QString, name);
    QFETCH(bool, dropExtension);
    QFETCH(bool, dropFolder);
    QFETCH(QString, result);
    QCOMPARE(ShortUTXName(name, dropExtension, dropFolder), result);
}

void tst_PackageReader::realPackages_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("firstNames");
    QTest::addColumn<QString>("someName");

    QTest::newRow("BossSkins") << "BossSkins.utx" << 63
                               << QStringList{"none", "internaltime", "color", "ubits"}
                               << "boss4xan";
    QTest::newRow("DacomaSkins") << "DacomaSkins.utx" << 42
                                 << QStringList{"internaltime", "none", "color", "maxcolor"}
                                 << "dacomaskins";
    QTest::newRow("Female1Skins") << "Female1Skins.utx" << 38
                                  << QStringList{"none", "internaltime", "color", "maxcolor"}
                                  << "female1skins";
    QTest::newRow("Male1Skins") << "Male1Skins.utx" << 32
                                << QStringList{"none", "internaltime", "color", "vsize"}
                                << "male1skins";
    QTest::newRow("SkTrooperSkins")
        << "SkTrooperSkins.utx" << 24 << QStringList{"none", "internaltime", "color", "vbits"}
        << "sktrooperskins";
    QTest::newRow("tcowmeshskins")
        << "tcowmeshskins.utx" << 39 << QStringList{"internaltime", "none", "color", "palette"}
        << "atomiccowface";
}

void tst_PackageReader::realPackages() {
    QFETCH(QString, file);
    QFETCH(int, count);
    QFETCH(QStringList, firstNames);
    QFETCH(QString, someName);
    REQUIRE_FIXTURE(file);
    PackageRecord record;
    QVERIFY(ReadUTXFile(FixturesDir() + QLatin1Char('/') + file, record));
    QCOMPARE(record.NameCount, count);
    QCOMPARE(record.Names.size(), count);
    QCOMPARE(record.Names.first(firstNames.size()), firstNames);
    QVERIFY2(record.Names.contains(someName), qPrintable(record.Names.join(u' ')));
    for (const QString& name : std::as_const(record.Names))
        QVERIFY2(!name.isEmpty() && name == name.toLower(), qPrintable(name));
}

QTEST_GUILESS_MAIN(tst_PackageReader)
#include "tst_PackageReader.moc"
