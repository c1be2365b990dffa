#include "TestPaths.h"
#include "UtxBuilder.h"
#include "catalogue/SkinCatalogue.h"
#include "engine/PackageOpener.h"
#include "engine/ScriptWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The shipped SkinFormats.ini together with the shipped unreal.flt, checked
// against the game's own .int files: the program should write for the game's
// packages what the game ships, as far as the script rules allow.

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One Object line of an .int text: the texture's name (lower-cased, without
// the package) and its description without quotes; empty when it has none.
struct IntObject {
    QString name;
    QString description;
    bool described = false;
    friend bool operator==(const IntObject&, const IntObject&) = default;
};

QList<IntObject> ObjectsOf(const QString& text) {
    static const QRegularExpression line(
        QStringLiteral(R"(^Object=\(Name=[^.]+\.([^,]+),Class=Texture(?:,Description=(.*))?\)$)"));
    QList<IntObject> objects;
    for (const QString& raw : text.split(QStringLiteral("\r\n"))) {
        const QRegularExpressionMatch match = line.match(raw);
        if (!match.hasMatch())
            continue;
        IntObject object{match.captured(1).toLower(), match.captured(2), match.hasCaptured(2)};
        if (object.description.startsWith(QLatin1Char('"')) &&
            object.description.endsWith(QLatin1Char('"')))
            object.description = object.description.mid(1, object.description.size() - 2);
        objects.append(object);
    }
    return objects;
}

QStringList NamesOf(const QList<IntObject>& objects) {
    QStringList names;
    for (const IntObject& object : objects)
        names.append(object.name);
    return names;
}

// The same textures carry a description, and those of faces read the same.
// A skin's first body texture is described by the type's key and its name,
// where the game names the skin itself.
void CompareDescriptions(const QList<IntObject>& ours, const QList<IntObject>& games) {
    QMap<QString, IntObject> gameByName;
    for (const IntObject& object : games)
        gameByName.insert(object.name, object);
    for (const IntObject& object : ours) {
        QVERIFY2(gameByName.contains(object.name), qPrintable(object.name));
        const IntObject& game = gameByName[object.name];
        QCOMPARE(object.described, game.described);
        if (object.described && object.name.size() > 5)
            QCOMPARE(object.description, game.description);
    }
}

// What the wizard shows in step five for a package when the user accepts the
// guessed type and keeps every found name.
struct WizardResult {
    bool read = false;
    bool typeFound = false;
    QString key;
    QString text;
};

WizardResult RunWizardPath(const QString& packagePath, const QString& programDir) {
    CatalogueState catalogue;
    const SkinList list = LoadSkinInfo(programDir, catalogue);
    SelectSkin(list.selected, catalogue);
    PackageSession session;
    const OpenOutcome outcome =
        OpenPackageFile(packagePath, programDir, session, catalogue, list.keys);
    SelectSkin(outcome.typeIndex, catalogue);
    WizardResult result{outcome.read, outcome.typeFound, catalogue.CurrentSkin.Key, {}};
    result.text =
        BuildINTText(session.PackageItems.Names, session.PackageItems, catalogue.CurrentSkin);
    return result;
}

// The name table of a texture package as the game's editor saves it: the
// engine's own names first (as in BossSkins.utx), then the package's name
// and its textures.
QStringList PackageNames(const QString& package, const QStringList& textures) {
    QStringList names{"None",    "InternalTime", "Color",   "UBits",   "MaxColor", "LODSet",
                      "MipZero", "USize",        "VSize",   "Palette", "VBits",    "UClamp",
                      "VClamp",  "Texture",      "Core",    "Class",   "Package",  "Engine",
                      "bMasked", "Palette12",    "Palette3"};
    names.append(package);
    names.append(textures);
    return names;
}

} // namespace

class tst_SkinFormatsData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void parsesCompletely();
    void fileIsWindowsText();
    void builtCopyIsTheShippedFile();
    void knowsTheGamesModels_data();
    void knowsTheGamesModels();
    void noKeyShadowsALaterOne();
    void fieldValuesAreUsable();
    void gamePackagesGiveTheGamesText_data();
    void gamePackagesGiveTheGamesText();
    void bossSkinsInTheGamesOrder();
    void bossSkinsDescriptionsDiffer();
    void gameNamesGiveTheGamesDescriptions_data();
    void gameNamesGiveTheGamesDescriptions();
    void unlistedModelIsUnknown();

private:
    CatalogueState shipped;
};

void tst_SkinFormatsData::initTestCase() {
    QVERIFY(ReadSkins(SourceDataDir(), shipped));
}

void tst_SkinFormatsData::parsesCompletely() {
    // A record cut short or a stray blank line would end the catalogue early.
    const QByteArray bytes = ReadAll(SourceDataDir() + QStringLiteral("/SkinFormats.ini"));
    const qsizetype records = bytes.count("\r\n\r\n[") + 1;
    QList<SkinFormat> parsed;
    QVERIFY(ParseSkins(bytes, parsed));
    QCOMPARE(parsed.size(), records);
    QCOMPARE(shipped.SkinCatalogue, parsed);
}

void tst_SkinFormatsData::fileIsWindowsText() {
    const QByteArray bytes = ReadAll(SourceDataDir() + QStringLiteral("/SkinFormats.ini"));
    QVERIFY(bytes.endsWith("\r\n\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    // Seven lines per record, the separator included.
    QCOMPARE(bytes.count("\r\n"), shipped.SkinCatalogue.size() * 7);
}

void tst_SkinFormatsData::builtCopyIsTheShippedFile() {
    QCOMPARE(ReadAll(BuiltBinDir() + QStringLiteral("/SkinFormats.ini")),
             ReadAll(SourceDataDir() + QStringLiteral("/SkinFormats.ini")));
}

void tst_SkinFormatsData::knowsTheGamesModels_data() {
    QTest::addColumn<QString>("key");
    for (const char* key :
         {"SoldierSkins", "CommandoSkins", "FCommandoSkins", "SGirlSkins", "BossSkins", "TSkMSkins",
          "TNaliMeshSkins", "TCowMeshSkins", "Female1Skins", "Female2Skins", "Male1Skins",
          "Male2Skins", "Male3Skins", "SkTrooperSkins"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

void tst_SkinFormatsData::knowsTheGamesModels() {
    QFETCH(QString, key);
    // A skin maker's package is named after the model's package, plus a suffix.
    CatalogueState state = shipped;
    state.SkinsRead = false;
    QVERIFY(MatchSkinFormat(key + QStringLiteral("_Mine"), SourceDataDir(), state));
    QCOMPARE(state.CurrentSkin.Key, key);
    QVERIFY(!state.CurrentSkin.Description.isEmpty());
}

void tst_SkinFormatsData::noKeyShadowsALaterOne() {
    const QList<SkinFormat>& records = shipped.SkinCatalogue;
    for (qsizetype i = 0; i < records.size(); ++i) {
        for (qsizetype j = i + 1; j < records.size(); ++j) {
            if (records[j].Key.startsWith(records[i].Key, Qt::CaseInsensitive))
                QFAIL(qPrintable(QStringLiteral("%1 comes before %2 and hides it")
                                     .arg(records[i].Key, records[j].Key)));
        }
    }
}

void tst_SkinFormatsData::fieldValuesAreUsable() {
    // The character fields are compared with one character of a name; a
    // longer value never matches, which only "Unknown" does on purpose.
    const QString unknown = QStringLiteral("Unknown");
    for (const SkinFormat& record : shipped.SkinCatalogue) {
        for (const QString& value : {record.SkinChar, record.NamedChar, record.GroupEndChar}) {
            if (value.size() != 1 && value != unknown)
                QFAIL(qPrintable(record.Key + QStringLiteral(": \"") + value +
                                 QStringLiteral("\" can never match a character")));
        }
        QVERIFY2(!record.ExcludeText.isEmpty(), qPrintable(record.Key));
        QVERIFY2(!record.Description.isEmpty(), qPrintable(record.Key));
    }
}

void tst_SkinFormatsData::gamePackagesGiveTheGamesText_data() {
    QTest::addColumn<QString>("package");
    QTest::newRow("UT rules") << QStringLiteral("BossSkins");
    QTest::newRow("Unreal female") << QStringLiteral("Female1Skins");
    QTest::newRow("Unreal male") << QStringLiteral("Male1Skins");
    QTest::newRow("Unreal Skaarj") << QStringLiteral("SkTrooperSkins");
}

void tst_SkinFormatsData::gamePackagesGiveTheGamesText() {
    QFETCH(QString, package);
    REQUIRE_FIXTURE(package + QStringLiteral(".utx"));
    const WizardResult result = RunWizardPath(
        FixturesDir() + QLatin1Char('/') + package + QStringLiteral(".utx"), BuiltBinDir());
    QVERIFY(result.read);
    QVERIFY(result.typeFound);
    QCOMPARE(result.key, package);

    const QList<IntObject> ours = ObjectsOf(result.text);
    const QList<IntObject> games = ObjectsOf(
        QString::fromLatin1(ReadAll(FixturesDir() + QLatin1Char('/') + package + ".int")));
    // Every texture and nothing else; the game does not sort its files.
    QStringList ourNames = NamesOf(ours);
    QStringList gameNames = NamesOf(games);
    ourNames.sort();
    gameNames.sort();
    QCOMPARE(ourNames, gameNames);
    CompareDescriptions(ours, games);
}

void tst_SkinFormatsData::bossSkinsInTheGamesOrder() {
    REQUIRE_FIXTURE("BossSkins.utx");
    const WizardResult result =
        RunWizardPath(FixturesDir() + QStringLiteral("/BossSkins.utx"), BuiltBinDir());
    const QList<IntObject> games =
        ObjectsOf(QString::fromLatin1(ReadAll(FixturesDir() + QStringLiteral("/BossSkins.int"))));
    QCOMPARE(NamesOf(ObjectsOf(result.text)), NamesOf(games));
    // No blank line: the face textures come last, so no group ends inside.
    QVERIFY(!result.text.contains(QStringLiteral("\r\n\r\n")));
}

void tst_SkinFormatsData::bossSkinsDescriptionsDiffer() {
    // The two lines that cannot match the game's file: the body texture is
    // described by type and name, and descriptions are always quoted.
    REQUIRE_FIXTURE("BossSkins.utx");
    const WizardResult result =
        RunWizardPath(FixturesDir() + QStringLiteral("/BossSkins.utx"), BuiltBinDir());
    QVERIFY(result.text.contains(
        QStringLiteral("Object=(Name=BossSkins.boss1,Class=Texture,Description=\"BossSkinsboss1\")"
                       "\r\n")));
    QVERIFY(result.text.contains(
        QStringLiteral("Object=(Name=BossSkins.boss4xan,Class=Texture,Description=\"Xan\")\r\n")));
}

void tst_SkinFormatsData::gameNamesGiveTheGamesDescriptions_data() {
    QTest::addColumn<QString>("package");
    QTest::newRow("soldier, faces on 4") << QStringLiteral("SoldierSkins");
    QTest::newRow("commando, faces on 2") << QStringLiteral("CommandoSkins");
}

void tst_SkinFormatsData::gameNamesGiveTheGamesDescriptions() {
    // Only the .int of these packages is at hand: a package is made of the
    // names it lists, in the game's spelling, beside the engine's names.
    QFETCH(QString, package);
    const QString intPath = FixturesDir() + QLatin1Char('/') + package + QStringLiteral(".int");
    REQUIRE_FIXTURE(package + QStringLiteral(".int"));
    const QString gameText = QString::fromLatin1(ReadAll(intPath));
    static const QRegularExpression spelled(QStringLiteral(R"(Name=[^.]+\.([^,]+),)"));
    QStringList textures;
    for (auto it = spelled.globalMatch(gameText); it.hasNext();)
        textures.append(it.next().captured(1));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString packagePath = dir.filePath(package + QStringLiteral(".utx"));
    QVERIFY(WriteBytes(packagePath, BuildUtx64(PackageNames(package, textures))));
    const WizardResult result = RunWizardPath(packagePath, BuiltBinDir());
    QVERIFY(result.typeFound);

    const QList<IntObject> ours = ObjectsOf(result.text);
    QCOMPARE(ours.size(), textures.size());
    CompareDescriptions(ours, ObjectsOf(gameText));
}

void tst_SkinFormatsData::unlistedModelIsUnknown() {
    REQUIRE_FIXTURE("DacomaSkins.utx");
    const WizardResult result =
        RunWizardPath(FixturesDir() + QStringLiteral("/DacomaSkins.utx"), BuiltBinDir());
    QVERIFY(result.read);
    QVERIFY(!result.typeFound);
    QCOMPARE(result.key, QStringLiteral("Unknown"));
}

QTEST_GUILESS_MAIN(tst_SkinFormatsData)
#include "tst_SkinFormatsData.moc"
