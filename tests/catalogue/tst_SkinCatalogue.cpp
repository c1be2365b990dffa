#include "UtxBuilder.h"
#include "catalogue/SkinCatalogue.h"

#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SkinFormat)

namespace {

QByteArray Record(const QByteArray& key, const QByteArray& exclude, const QByteArray& skin,
                  const QByteArray& named, const QByteArray& groupEnd, const QByteArray& desc) {
    return "[" + key + "]\r\naaaa=\"" + exclude + "\"\r\nbbbbb=\"" + skin + "\"\r\ncccc=\"" +
           named + "\"\r\ndddd=\"" + groupEnd + "\"\r\neeee=\"" + desc + "\"\r\n\r\n";
}

QByteArray Example() {
    return Record("abcdskins", "team", "1", "5", "4", "Example skins");
}

SkinFormat ExampleSkin() {
    return {"abcdskins", "team", "1", "5", "4", "Example skins"};
}

SkinFormat Keyed(const QString& key) {
    return {key, "x", "1", "5", "4", key + " skins"};
}

QByteArray KeyedRecord(const QByteArray& key) {
    return Record(key, "x", "1", "5", "4", key + " skins");
}

SkinFormat Unknown(const QString& description) {
    return {"Unknown", "Unknown", "Unknown", "Unknown", "Unknown", description};
}

const SkinFormat Before{"before", "b", "2", "6", "3", "Before"};

} // namespace

class tst_SkinCatalogue : public QObject {
    Q_OBJECT

private slots:
    void init();

    void parses_data();
    void parses();
    void missingFile();
    void match_data();
    void match();
    void matchWithoutEverReading();
    void loadSkinInfo();
    void loadSkinInfoOfBadFile();
    void selectSkin();

private:
    void writeCatalogue(const QByteArray& text) {
        QVERIFY(WriteBytes(dir->filePath(QLatin1String(SkinFormatsFileName)), text));
    }
    std::unique_ptr<QTemporaryDir> dir;
};

void tst_SkinCatalogue::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void tst_SkinCatalogue::parses_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QList<SkinFormat>>("catalogue");

    using Catalogue = QList<SkinFormat>;
    QTest::newRow("worked example") << Example() << true << Catalogue{ExampleSkin()};
    QTest::newRow("line feeds only")
        << QByteArray(Example()).replace("\r\n", "\n") << true << Catalogue{ExampleSkin()};
    QTest::newRow("three records, blank lines after")
        << KeyedRecord("one") + KeyedRecord("two") + KeyedRecord("three") + "\r\n\r\n\r\n"
        << true << Catalogue{Keyed("one"), Keyed("two"), Keyed("three")};
    QTest::newRow("blank line between records ends the catalogue")
        << KeyedRecord("one") + "\r\n" + KeyedRecord("two") << true << Catalogue{Keyed("one")};
    QTest::newRow("values cut at fixed positions")
        << QByteArray("[k]\r\naaaa=\"team\r\nbbbbb=\"\"\r\ncccc=\r\n\r\nlabel:Text.\r\nsep\r\n")
        << true << Catalogue{{"k", "tea", "", "", "", "Text"}};
    QTest::newRow("label-only lines give empty fields")
        << QByteArray("[k]\r\naaaa=\"\r\nbbbbb=\"\r\nc\r\ndddddd\r\neeeeee\r\n\r\n") << true
        << Catalogue{{"k", "", "", "", "", ""}};
    QTest::newRow("Windows-1252 text")
        << Record("caf\xE9", "x", "1", "5", "4", "\x80 skins") << true
        << Catalogue{{"caf\u00E9", "x", "1", "5", "4", "\u20AC skins"}};
    QTest::newRow("empty key kept before a keyed record")
        << KeyedRecord("") + KeyedRecord("two") << true << Catalogue{Keyed(""), Keyed("two")};
    QTest::newRow("empty key at the end trimmed")
        << KeyedRecord("one") + KeyedRecord("") + KeyedRecord("") << true
        << Catalogue{Keyed("one")};
    QTest::newRow("no separator after the last record")
        << KeyedRecord("one") + KeyedRecord("two").chopped(2) << false
        << Catalogue{Keyed("one"), Keyed("two")};
    QTest::newRow("ends inside a record")
        << KeyedRecord("one") + "[two]\r\naaaa=\"x\"\r\n"
        << false << Catalogue{Keyed("one"), {"two", "x", "", "", "", ""}};
    QTest::newRow("one-character key line") << KeyedRecord("one") + "[\r\n" + KeyedRecord("two")
                                            << false << Catalogue{Keyed("one"), {}};
    QTest::newRow("first line empty") << "\r\n" + KeyedRecord("one") << false << Catalogue{{}};
    QTest::newRow("only an empty key") << KeyedRecord("") << false << Catalogue{Keyed("")};
    QTest::newRow("empty") << QByteArray() << false << Catalogue{{}};
}

void tst_SkinCatalogue::parses() {
    QFETCH(QByteArray, file);
    QFETCH(bool, complete);
    QFETCH(QList<SkinFormat>, catalogue);
    QList<SkinFormat> parsed{Keyed("stale")};
    QCOMPARE(ParseSkins(file, parsed), complete);
    QCOMPARE(parsed, catalogue);
}

void tst_SkinCatalogue::missingFile() {
    CatalogueState state;
    state.SkinCatalogue = {Keyed("stale")};
    QVERIFY(!ReadSkins(dir->path(), state));
    QVERIFY(state.SkinsRead);
    QCOMPARE(state.SkinCatalogue, QList<SkinFormat>{SkinFormat{}});
}

void tst_SkinCatalogue::match_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::addColumn<SkinFormat>("current");

    QTest::newRow("key begins the name") << Example() << "abcdSkins_red" << true << ExampleSkin();
    QTest::newRow("whole name, other case") << Example() << "ABCDSKINS" << true << ExampleSkin();
    QTest::newRow("followed by a digit") << Example() << "abcdskins2" << true << ExampleSkin();
    QTest::newRow("key inside only, other key absent")
        << Example() + KeyedRecord("zz") << "xabcdskins" << false << Unknown("Before");
    QTest::newRow("earlier record wins over a longer key")
        << KeyedRecord("soldier") + KeyedRecord("soldierskins") << "SoldierSkins_Foo" << true
        << Keyed("soldier");
    QTest::newRow("key inside only: nothing changes")
        << KeyedRecord("abcd") << "xxabcd" << false << Before;
    QTest::newRow("no key anywhere")
        << KeyedRecord("abcd") + KeyedRecord("efgh") << "boss" << false << Unknown("Before");
    QTest::newRow("later record after unknown ones")
        << KeyedRecord("abcd") + KeyedRecord("boss") << "BossSkins" << true << Keyed("boss");
    QTest::newRow("empty name") << KeyedRecord("") << "" << false << Before;
    QTest::newRow("missing catalogue matches any name")
        << QByteArray() << "boss" << true << SkinFormat{};
}

void tst_SkinCatalogue::match() {
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(bool, found);
    QFETCH(SkinFormat, current);
    if (!file.isEmpty())
        writeCatalogue(file);
    CatalogueState state;
    state.SkinsRead = true;
    state.CurrentSkin = Before;
    QCOMPARE(MatchSkinFormat(name, dir->path(), state), found);
    QCOMPARE(state.CurrentSkin, current);
}

void tst_SkinCatalogue::matchWithoutEverReading() {
    // Until the catalogue has been read once, matching uses what is in memory.
    writeCatalogue(KeyedRecord("boss"));
    CatalogueState state;
    state.SkinCatalogue = {Keyed("soldier")};
    QVERIFY(MatchSkinFormat(QStringLiteral("SoldierSkins"), dir->path(), state));
    QCOMPARE(state.CurrentSkin, Keyed("soldier"));
    QVERIFY(!state.SkinsRead);
}

void tst_SkinCatalogue::loadSkinInfo() {
    writeCatalogue(KeyedRecord("one") + KeyedRecord("") + KeyedRecord("three"));
    CatalogueState state;
    const SkinList list = LoadSkinInfo(dir->path(), state);
    QCOMPARE(list.keys, (QStringList{"one", "", "three"}));
    QCOMPARE(list.selected, 0);
    QVERIFY(state.SkinsRead);
    QCOMPARE(state.SkinCatalogue.size(), 3);
}

void tst_SkinCatalogue::loadSkinInfoOfBadFile() {
    writeCatalogue(KeyedRecord("one") + "[two]\r\n");
    CatalogueState state;
    const SkinList list = LoadSkinInfo(dir->path(), state);
    QVERIFY(list.keys.isEmpty());
    QCOMPARE(list.selected, -1);
    QCOMPARE(state.SkinCatalogue.first(), Keyed("one")); // matching still has what was read
}

void tst_SkinCatalogue::selectSkin() {
    CatalogueState state;
    state.SkinCatalogue = {Keyed("one"), Keyed("two")};
    state.CurrentSkin = Before;
    SelectSkin(1, state);
    SkinFormat expected = Keyed("two");
    expected.Key = Before.Key;
    QCOMPARE(state.CurrentSkin, expected);
    for (int outside : {-1, 2}) {
        SelectSkin(outside, state);
        QCOMPARE(state.CurrentSkin, expected);
    }
}

QTEST_GUILESS_MAIN(tst_SkinCatalogue)
#include "tst_SkinCatalogue.moc"
