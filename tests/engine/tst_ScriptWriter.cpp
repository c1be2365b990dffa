#include "engine/ScriptWriter.h"

#include <QTest>

Q_DECLARE_METATYPE(SkinFormat)

namespace {

SkinFormat Soldier() {
    return {QStringLiteral("SoldierSkins"),
            QStringLiteral("team"),
            QStringLiteral("1"),
            QStringLiteral("5"),
            QStringLiteral("4"),
            QStringLiteral("Soldiers")};
}

SkinFormat ExcludingSkin(const QString& excludeText) {
    SkinFormat skin = Soldier();
    skin.ExcludeText = excludeText;
    return skin;
}

PackageRecord Items(const QStringList& names, const QString& gameType = {}) {
    PackageRecord record;
    record.FileName = QStringLiteral("SoldierSkins_Foo.utx");
    record.PackageName = QStringLiteral("SoldierSkins_Foo");
    record.GameType = gameType;
    record.NameCount = qint32(names.size());
    record.Names = names;
    return record;
}

QString Plain(const QString& name) {
    return QStringLiteral("Object=(Name=SoldierSkins_Foo.%1,Class=Texture)\r\n").arg(name);
}

QString Described(const QString& name, const QString& desc) {
    return QStringLiteral("Object=(Name=SoldierSkins_Foo.%1,Class=Texture,Description=\"%2\")\r\n")
        .arg(name, desc);
}

const QString Header = QStringLiteral("[public]\r\n");
const QString Gap = QStringLiteral("\r\n");

} // namespace

class tst_ScriptWriter : public QObject {
    Q_OBJECT

private slots:
    void gameType_data();
    void gameType();
    void writesScript_data();
    void writesScript();
    void gameTypeFromAllNamesNotTheReviewedOnes();
    void valuesAreNotSearchedForPlaceholders();
    void buildINTText();
};

void tst_ScriptWriter::gameType_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("skin digits") << QStringList{"foot1", "foot2", "alpha"} << ""
                                 << "UT";
    QTest::newRow("all but one without digit") << QStringList{"boss", "face", "foot1"} << ""
                                               << "U";
    QTest::newRow("no digits") << QStringList{"boss", "face"} << "UT"
                               << "U";
    QTest::newRow("single name with digit") << QStringList{"foot1"} << ""
                                            << "U";
    QTest::newRow("digits 6 to 9 decide nothing") << QStringList{"foot6", "foot7", "foot8"} << ""
                                                  << "";
    QTest::newRow("digits 6 to 9 keep an earlier type")
        << QStringList{"foot6", "foot7", "foot8"} << "UT"
        << "UT";
    QTest::newRow("digit 0 counts as none") << QStringList{"foot0", "foot0", "foot1", "foot2"} << ""
                                            << "UT";
    QTest::newRow("short names have no fifth character") << QStringList{"a", "abcd", "ab1"} << ""
                                                         << "U";
    QTest::newRow("no names keep the type") << QStringList{} << "UT"
                                            << "UT";
}

void tst_ScriptWriter::gameType() {
    QFETCH(QStringList, names);
    QFETCH(QString, before);
    QFETCH(QString, after);
    PackageRecord items = Items(names, before);
    FindGameType(items);
    QCOMPARE(items.GameType, after);
}

void tst_ScriptWriter::writesScript_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("gameType");
    QTest::addColumn<SkinFormat>("skin");
    QTest::addColumn<QString>("text");

    QTest::newRow("UT: skin, plain, group gap, named")
        << QStringList{"foot1", "foot2", "foot3", "foot4", "foot5bob", "foot5joe"} << ""
        << Soldier()
        << Header + Described("foot1", "SoldierSkinsfoot1") + Plain("foot2") + Plain("foot3") +
               Plain("foot4") + Gap + Described("foot5bob", "Bob") + Described("foot5joe", "Joe");
    QTest::newRow("UT: name without digit skipped while two follow")
        << QStringList{"alpha", "foot1", "foot2", "foot3"} << "UT" << Soldier()
        << Header + Described("foot1", "SoldierSkinsfoot1") + Plain("foot2") + Plain("foot3");
    QTest::newRow("UT: name without digit at the end is written")
        << QStringList{"foot1", "foot2", "zeta"} << "UT" << Soldier()
        << Header + Described("foot1", "SoldierSkinsfoot1") + Plain("foot2") + Plain("zeta");
    QTest::newRow("UT: only the first of two names without digit is skipped")
        << QStringList{"alpha", "beta", "foot1", "foot2", "foot3"} << "UT" << Soldier()
        << Header + Plain("beta") + Described("foot1", "SoldierSkinsfoot1") + Plain("foot2") +
               Plain("foot3");
    QTest::newRow("UT: excluded name gets no description")
        << QStringList{"foot1", "foot5team", "foot5joe"} << "UT" << Soldier()
        << Header + Described("foot1", "SoldierSkinsfoot1") + Plain("foot5team") +
               Described("foot5joe", "Joe");
    QTest::newRow("UT: no gap when the run ends at the second-to-last name")
        << QStringList{"foot1", "foot4", "foot5joe"} << "UT" << Soldier()
        << Header + Described("foot1", "SoldierSkinsfoot1") + Plain("foot4") +
               Described("foot5joe", "Joe");
    QTest::newRow("UT: gap only after the last name of a run")
        << QStringList{"foot4", "hand4", "foot5a", "foot5b"} << "UT" << Soldier()
        << Header + Plain("foot4") + Plain("hand4") + Gap + Described("foot5a", "A") +
               Described("foot5b", "B");
    QTest::newRow("UT: characters compared ignoring case")
        << QStringList{"foot5bob", "foot5x", "foota"} << "UT"
        << SkinFormat{"K", "team", "A", "5", "4", ""}
        << Header + Described("foot5bob", "Bob") + Described("foot5x", "X") +
               Described("foota", "Kfoota");
    QTest::newRow("UT: skin character needs exactly five characters")
        << QStringList{"foot1x", "foot1", "feet1"} << "UT" << Soldier()
        << Header + Plain("foot1x") + Described("foot1", "SoldierSkinsfoot1") +
               Described("feet1", "SoldierSkinsfeet1");
    QTest::newRow("UT: type compared ignoring case")
        << QStringList{"foot6", "foot7", "foot8"} << "ut" << Soldier()
        << Header + Plain("foot6") + Plain("foot7") + Plain("foot8");

    QTest::newRow("U: described in proper case")
        << QStringList{"boss", "jmale2", "jfemale1", "big boss"} << "" << ExcludingSkin("male")
        << Header + Described("boss", "Boss") + Plain("jmale2") + Plain("jfemale1") +
               Described("big boss", "Big Boss");
    QTest::newRow("U: unknown type describes nothing")
        << QStringList{"boss", "face"} << "" << ExcludingSkin("unknown")
        << Header + Plain("boss") + Plain("face");
    QTest::newRow("no rule set: no text")
        << QStringList{"foot6", "foot7", "foot8"} << "" << Soldier() << QString();
}

void tst_ScriptWriter::writesScript() {
    QFETCH(QStringList, items);
    QFETCH(QString, gameType);
    QFETCH(SkinFormat, skin);
    QFETCH(QString, text);
    PackageRecord packageItems = Items(items, gameType);
    QCOMPARE(WriteScript(items, packageItems, skin), text);
    QCOMPARE(WriteScript(items, packageItems, skin), text); // same again
}

void tst_ScriptWriter::gameTypeFromAllNamesNotTheReviewedOnes() {
    // The user removed the skin names; the rules still follow the package.
    PackageRecord packageItems = Items({"foot1", "foot2", "boss", "face"});
    const QString text = WriteScript({"boss", "face"}, packageItems, ExcludingSkin("x"));
    QCOMPARE(packageItems.GameType, QStringLiteral("UT"));
    QCOMPARE(text, Header + Plain("boss") + Plain("face"));
}

void tst_ScriptWriter::valuesAreNotSearchedForPlaceholders() {
    PackageRecord packageItems = Items({"boss%desc%"});
    packageItems.PackageName = QStringLiteral("My%name%Pack");
    QCOMPARE(WriteScript({"boss%desc%"}, packageItems, ExcludingSkin("x")),
             Header + QStringLiteral("Object=(Name=My%name%Pack.boss%desc%,Class=Texture,"
                                     "Description=\"Boss%desc%\")\r\n"));
}

void tst_ScriptWriter::buildINTText() {
    PackageRecord packageItems = Items({"foot1", "foot2"});
    QCOMPARE(BuildINTText({}, packageItems, Soldier()), Header);
    QCOMPARE(BuildINTText({"foot1"}, packageItems, Soldier()),
             Header + Described("foot1", "SoldierSkinsfoot1"));
}

QTEST_GUILESS_MAIN(tst_ScriptWriter)
#include "tst_ScriptWriter.moc"
