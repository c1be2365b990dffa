#include "ScriptedDialogs.h"
#include "UtxBuilder.h"
#include "engine/FilterList.h"
#include "engine/PackageReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// unreal.flt bytes written out by hand: length, then each byte xor 0x6B.
QByteArray Entry(QByteArrayView text) {
    QByteArray bytes;
    bytes.append(char(text.size() & 0xFF)).append(char(text.size() >> 8));
    for (char c : text)
        bytes.append(char(c ^ 0x6B));
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

PackageRecord Package(const QStringList& names) {
    PackageRecord record;
    record.FileName = QStringLiteral("Skin.utx");
    record.PackageName = QStringLiteral("Skin");
    record.NameCount = qint32(names.size());
    record.Names = names;
    return record;
}

} // namespace

class tst_FilterList : public QObject {
    Q_OBJECT

private slots:
    void init();

    void decodes_data();
    void decodes();
    void encodesWithoutCaseChange();
    void refusesEntriesItCannotStore_data();
    void refusesEntriesItCannotStore();

    void readLoadsEntriesAndPackageSlot();
    void readKeepsListWhenFileMissingOrEmpty();
    void readAppendsToTarget();

    void writeReplacesAfterBackup();
    void writeCancelledChangesNothing();
    void writeNeedsExistingFile();
    void writeEmptySourceDoesNothing();
    void writeRefusesUnstorableEntry();
    void writeStopsWhenBackupFails();

    void filterItems_data();
    void filterItems();
    void filterItemsWithoutFilterFile();

private:
    QString path(const QString& name) const { return dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir;
};

void tst_FilterList::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void tst_FilterList::decodes_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("one entry") << Entry("tex") << QStringList{"tex"};
    QTest::newRow("lower-cased") << Entry("TEX") + Entry("PaLette")
                                 << QStringList{"tex", "palette"};
    QTest::newRow("empty entry ends the list")
        << Entry("none") + QByteArray(2, '\0') + Entry("lost") << QStringList{"none"};
    QTest::newRow("entry cut short by the end is dropped")
        << Entry("none") + Entry("palette").left(5) << QStringList{"none"};
    QTest::newRow("stray last byte") << Entry("none") + 'x' << QStringList{"none"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("Windows-1252 letters")
        << Entry("\xC0\x8A\x80") << QStringList{"\u00E0\u0161\u20AC"};
    QTest::newRow("two-byte length")
        << Entry(QByteArray(300, 'q')) << QStringList{QString(300, QLatin1Char('q'))};
}

void tst_FilterList::decodes() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, entries);
    QCOMPARE(DecodeFilterFile(file), entries);
}

void tst_FilterList::encodesWithoutCaseChange() {
    const std::optional<QByteArray> bytes =
        EncodeFilterFile({"TEX", "\u00C0\u20AC", QString(300, QLatin1Char('q'))});
    QVERIFY(bytes);
    QCOMPARE(*bytes, Entry("TEX") + Entry("\xC0\x80") + Entry(QByteArray(300, 'q')));
    QCOMPARE(DecodeFilterFile(*bytes), (QStringList{"tex", "\u00E0\u20AC", QString(300, 'q')}));
    QCOMPARE(EncodeFilterFile({}), QByteArray());
}

void tst_FilterList::refusesEntriesItCannotStore_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("mentioned");

    QTest::newRow("outside Windows-1252") << "pal\u03A9tte"
                                          << "\u03A9";
    QTest::newRow("too long") << QString(65'536, QLatin1Char('a')) << "65535";
    QTest::newRow("empty") << ""
                           << "empty";
}

void tst_FilterList::refusesEntriesItCannotStore() {
    QFETCH(QString, entry);
    QFETCH(QString, mentioned);
    QString error;
    QVERIFY(!EncodeFilterFile({"tex", entry}, &error));
    QVERIFY2(error.contains(mentioned), qPrintable(error));
    QVERIFY(EncodeFilterFile({QString(65'535, QLatin1Char('a'))}));
}

void tst_FilterList::readLoadsEntriesAndPackageSlot() {
    QVERIFY(WriteBytes(path("unreal.flt"), Entry("tex") + Entry("Core")));
    QStringList filterList{"old"};
    ReadFilter(nullptr, dir->path(), QStringLiteral("unreal.flt"), filterList);
    QCOMPARE(filterList, (QStringList{"tex", "core", ""}));
}

void tst_FilterList::readKeepsListWhenFileMissingOrEmpty() {
    QVERIFY(WriteBytes(path("empty.flt"), ""));
    QDir(dir->path()).mkdir(QStringLiteral("folder.flt"));
    const QStringList before{"tex", ""};
    for (const char* name : {"missing.flt", "empty.flt", "folder.flt"}) {
        QStringList filterList = before;
        ReadFilter(nullptr, dir->path(), QLatin1String(name), filterList);
        QCOMPARE(filterList, before);
    }
}

void tst_FilterList::readAppendsToTarget() {
    QStringList filterList;
    QStringList target{"shown before"};
    ReadFilter(&target, dir->path(), QStringLiteral("unreal.flt"), filterList);
    QCOMPARE(target, QStringList{"shown before"}); // never loaded: nothing to show

    QVERIFY(WriteBytes(path("unreal.flt"), Entry("tex") + Entry("core")));
    ReadFilter(&target, dir->path(), QStringLiteral("unreal.flt"), filterList);
    QCOMPARE(target, (QStringList{"shown before", "tex", "core"}));
}

void tst_FilterList::writeReplacesAfterBackup() {
    const QByteArray old = Entry("none") + Entry("palette") + Entry("internaltime");
    QVERIFY(WriteBytes(path("unreal.flt"), old));
    ScriptedDialogs dialogs;
    dialogs.answers.enqueue(Dialogs::Answer::Ok);
    QString error = QStringLiteral("stale");
    QVERIFY(WriteFilter({"TEX"}, dir->path(), QStringLiteral("unreal.flt"), dialogs, &error));
    QCOMPARE(error, QString());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("Are you sure you\r\nwant to overwrite?"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("File Operations"));
    QCOMPARE(dialogs.messages[0].buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(ReadAll(path("oldunreal.flt")), old);
    QCOMPARE(ReadAll(path("unreal.flt")), Entry("TEX")); // no tail of the longer old file
}

void tst_FilterList::writeCancelledChangesNothing() {
    QVERIFY(WriteBytes(path("unreal.flt"), Entry("none")));
    QVERIFY(WriteBytes(path("oldunreal.flt"), Entry("older")));
    ScriptedDialogs dialogs;
    dialogs.answers.enqueue(Dialogs::Answer::Cancel);
    QString error;
    QVERIFY(!WriteFilter({"tex"}, dir->path(), QStringLiteral("unreal.flt"), dialogs, &error));
    QCOMPARE(error, QString());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(ReadAll(path("unreal.flt")), Entry("none"));
    QCOMPARE(ReadAll(path("oldunreal.flt")), Entry("older"));
}

void tst_FilterList::writeNeedsExistingFile() {
    QVERIFY(WriteBytes(path("empty.flt"), ""));
    for (const char* name : {"unreal.flt", "empty.flt"}) {
        ScriptedDialogs dialogs;
        QString error;
        QVERIFY(!WriteFilter({"tex"}, dir->path(), QLatin1String(name), dialogs, &error));
        QCOMPARE(error, QString());
        QVERIFY(dialogs.messages.isEmpty());
    }
    QVERIFY(!QFile::exists(path("unreal.flt")));
    QCOMPARE(ReadAll(path("empty.flt")), QByteArray());
    QVERIFY(!QFile::exists(path("oldunreal.flt")));
}

void tst_FilterList::writeEmptySourceDoesNothing() {
    QVERIFY(WriteBytes(path("unreal.flt"), Entry("none")));
    ScriptedDialogs dialogs;
    QVERIFY(!WriteFilter({}, dir->path(), QStringLiteral("unreal.flt"), dialogs));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(ReadAll(path("unreal.flt")), Entry("none"));
}

void tst_FilterList::writeRefusesUnstorableEntry() {
    QVERIFY(WriteBytes(path("unreal.flt"), Entry("none")));
    ScriptedDialogs dialogs;
    QString error;
    QVERIFY(!WriteFilter({"tex", "\u4E2D"}, dir->path(), QStringLiteral("unreal.flt"), dialogs,
                         &error));
    QVERIFY(error.contains(QStringLiteral("\u4E2D")));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(ReadAll(path("unreal.flt")), Entry("none"));
}

void tst_FilterList::writeStopsWhenBackupFails() {
    // The old list is only replaced once its backup exists.
    QVERIFY(WriteBytes(path("unreal.flt"), Entry("none")));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("oldunreal.flt")));
    ScriptedDialogs dialogs;
    dialogs.answers.enqueue(Dialogs::Answer::Ok);
    QString error;
    QVERIFY(!WriteFilter({"tex"}, dir->path(), QStringLiteral("unreal.flt"), dialogs, &error));
    QVERIFY(error.contains(QStringLiteral("oldunreal.flt")));
    QCOMPARE(ReadAll(path("unreal.flt")), Entry("none"));
}

void tst_FilterList::filterItems_data() {
    QTest::addColumn<QByteArray>("filterFile");
    QTest::addColumn<QString>("packagePath");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("kept");

    const QStringList names{"none", "skinfoot1", "sometexture"};
    QTest::newRow("entry and package name remove")
        << Entry("tex") << "C:\\UT\\Textures\\Skin.utx" << names << QStringList{"none"};
    QTest::newRow("linux path, dotted folder")
        << Entry("tex") << "/home/u/.loki/Textures/Skin.utx" << names << QStringList{"none"};
    QTest::newRow("matching ignores case")
        << Entry("NON") << "/t/Other.utx" << names << QStringList{"skinfoot1", "sometexture"};
    QTest::newRow("entry found after a false start")
        << Entry("tex") << "/t/Other.utx" << QStringList{"ttetex", "tetx", "tex"}
        << QStringList{"tetx"};
    QTest::newRow("order kept") << Entry("zzz") << "/t/Other.utx" << QStringList{"c", "a", "b"}
                                << QStringList{"c", "a", "b"};
    QTest::newRow("empty package name removes every name")
        << Entry("zzz") << "/t/NoDot" << QStringList{"a", "b"} << QStringList{};
    QTest::newRow("file with no entries still filters the package name")
        << QByteArray(2, '\0') << "/t/Skin.utx" << names << QStringList{"none", "sometexture"};
}

void tst_FilterList::filterItems() {
    QFETCH(QByteArray, filterFile);
    QFETCH(QString, packagePath);
    QFETCH(QStringList, names);
    QFETCH(QStringList, kept);
    QVERIFY(WriteBytes(path("unreal.flt"), filterFile));
    const PackageRecord read = Package(names);
    PackageRecord items;
    items.GameType = QStringLiteral("UT");
    QStringList filterList;
    QCOMPARE(filteritems(packagePath, dir->path(), filterList, read, items), kept.size());
    QCOMPARE(items.Names, kept);
    QCOMPARE(items.NameCount, kept.size());
    QCOMPARE(items.GameType, QString()); // a fresh copy of the package as read
    QCOMPARE(items.PackageName, read.PackageName);
    QCOMPARE(filterList.last(), ShortUTXName(packagePath, true, true).toLower());
}

void tst_FilterList::filterItemsWithoutFilterFile() {
    const PackageRecord read = Package({"none", "skin1"});
    PackageRecord items;
    QStringList filterList;
    QCOMPARE(filteritems(QStringLiteral("/t/Skin.utx"), dir->path(), filterList, read, items), 2);
    QCOMPARE(items, read);
    QVERIFY(filterList.isEmpty());
}

QTEST_GUILESS_MAIN(tst_FilterList)
#include "tst_FilterList.moc"
