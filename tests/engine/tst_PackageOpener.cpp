#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/FilterList.h"
#include "engine/PackageOpener.h"
#include "engine/ScriptWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Fragments of the names every texture package carries besides its textures.
const QStringList PackageFilter{"none",    "internaltime", "color",   "bits",   "lodset",
                                "mipzero", "size",         "palette", "clamp",  "texture",
                                "core",    "class",        "package", "engine", "bmasked"};

QByteArray SkinRecord(const QByteArray& key, const QByteArray& exclude) {
    return "[" + key + "]\r\naaaa=\"" + exclude +
           "\"\r\nbbbbb=\"1\"\r\ncccc=\"5\"\r\ndddd=\"4\"\r\n" + "eeee=\"" + key +
           " skins\"\r\n\r\n";
}

// The texture names of the Object lines of an .int text, in order.
QStringList ObjectNames(const QString& text) {
    static const QRegularExpression object(QStringLiteral(R"(^Object=\(Name=[^.]+\.([^,]+),)"),
                                           QRegularExpression::MultilineOption);
    QStringList names;
    for (const QRegularExpressionMatch& m : object.globalMatch(text))
        names.append(m.captured(1).toLower());
    return names;
}

} // namespace

class tst_PackageOpener : public QObject {
    Q_OBJECT

private slots:
    void init();
    void opensAndGuessesType();
    void unknownTypeSelectsNothing();
    void typeWithoutListEntry();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void bossSkinsObjectsMatchTheGame();

private:
    QString programDir() const { return dir->path(); }
    QString path(const QString& name) const { return dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir;
    CatalogueState catalogue;
};

void tst_PackageOpener::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    const std::optional<QByteArray> filter = EncodeFilterFile(PackageFilter);
    QVERIFY(filter);
    QVERIFY(WriteBytes(path("unreal.flt"), *filter));
    QVERIFY(WriteBytes(path("SkinFormats.ini"),
                       SkinRecord("Boss", "Unknown") + SkinRecord("SoldierSkins", "team")));
    catalogue = CatalogueState{};
    catalogue.SkinsRead = true;
}

void tst_PackageOpener::opensAndGuessesType() {
    const QString package = path("SoldierSkins_Foo.utx");
    QVERIFY(WriteBytes(package, BuildUtx64({"None", "Foot2", "Palette3", "soldierskins_foo",
                                            "Foot1", "Foot5Bob"})));
    PackageSession session;
    const OpenOutcome outcome = OpenPackageFile(package, programDir(), session, catalogue,
                                                {"Boss", "soldierskins", "SoldierSkins"});
    QVERIFY(outcome.read);
    QVERIFY(outcome.typeFound);
    QCOMPARE(outcome.typeIndex, 1); // the first entry equal ignoring case
    QCOMPARE(session.UTXPath, package);
    QCOMPARE(session.PackageRead.NameCount, 6);
    QCOMPARE(session.PackageItems.Names, (QStringList{"foot1", "foot2", "foot5bob"}));
    QCOMPARE(session.PackageItems.NameCount, 3);
    QCOMPARE(session.FilterList.last(), QStringLiteral("soldierskins_foo"));
    QCOMPARE(catalogue.CurrentSkin.Key, QStringLiteral("SoldierSkins"));
}

void tst_PackageOpener::unknownTypeSelectsNothing() {
    const QString package = path("Mystery.utx");
    QVERIFY(WriteBytes(package, BuildUtx60({"None", "Face"})));
    PackageSession session;
    const OpenOutcome outcome =
        OpenPackageFile(package, programDir(), session, catalogue, {"Boss", "SoldierSkins"});
    QVERIFY(outcome.read);
    QVERIFY(!outcome.typeFound);
    QCOMPARE(outcome.typeIndex, -1);
    QCOMPARE(session.PackageItems.Names, QStringList{"face"});
    QCOMPARE(catalogue.CurrentSkin.Key, QStringLiteral("Unknown"));
}

void tst_PackageOpener::typeWithoutListEntry() {
    const QString package = path("BossSkins.utx");
    QVERIFY(WriteBytes(package, BuildUtx64({"Boss1"})));
    PackageSession session;
    const OpenOutcome outcome = OpenPackageFile(package, programDir(), session, catalogue, {});
    QVERIFY(outcome.typeFound);
    QCOMPARE(outcome.typeIndex, -1);
}

void tst_PackageOpener::unreadableFileChangesNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("missing") << "Missing.utx" << QByteArray();
    QTest::newRow("empty") << "SoldierSkins_Empty.utx" << QByteArray("");
    QTest::newRow("not a package") << "SoldierSkins_Text.utx" << QByteArray("just some text");
    QTest::newRow("impossible name count")
        << "SoldierSkins_Big.utx" << BuildUtx(1'000'000, 64, Utx64Entry("Foot1"));
}

void tst_PackageOpener::unreadableFileChangesNothing() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    const QString earlier = path("Boss_Old.utx");
    QVERIFY(WriteBytes(earlier, BuildUtx64({"None", "Boss1", "Boss2"})));
    PackageSession session;
    QVERIFY(OpenPackageFile(earlier, programDir(), session, catalogue, {"Boss"}).read);
    const PackageSession before = session;
    const CatalogueState catalogueBefore = catalogue;

    if (!bytes.isNull())
        QVERIFY(WriteBytes(path(file), bytes));
    const OpenOutcome outcome =
        OpenPackageFile(path(file), programDir(), session, catalogue, {"Boss", "SoldierSkins"});
    QVERIFY(!outcome.read);
    QVERIFY(!outcome.typeFound);
    QCOMPARE(outcome.typeIndex, -1);
    QCOMPARE(session.UTXPath, before.UTXPath);
    QCOMPARE(session.PackageRead, before.PackageRead);
    QCOMPARE(session.PackageItems, before.PackageItems);
    QCOMPARE(session.FilterList, before.FilterList);
    QCOMPARE(catalogue.CurrentSkin, catalogueBefore.CurrentSkin);
}

void tst_PackageOpener::bossSkinsObjectsMatchTheGame() {
    REQUIRE_FIXTURE("BossSkins.utx");
    REQUIRE_FIXTURE("BossSkins.int");
    PackageSession session;
    const OpenOutcome outcome =
        OpenPackageFile(FixturesDir() + QStringLiteral("/BossSkins.utx"), programDir(), session,
                        catalogue, {"Boss", "SoldierSkins"});
    QVERIFY(outcome.read);
    QCOMPARE(outcome.typeIndex, 0);

    const QString text =
        BuildINTText(session.PackageItems.Names, session.PackageItems, catalogue.CurrentSkin);
    QFile game(FixturesDir() + QStringLiteral("/BossSkins.int"));
    QVERIFY(game.open(QIODevice::ReadOnly));
    const QStringList expected = ObjectNames(QString::fromLatin1(game.readAll()));
    QCOMPARE(expected.size(), 22);
    QCOMPARE(session.PackageItems.Names, expected);
    QCOMPARE(ObjectNames(text), expected);
    QVERIFY(text.startsWith(QStringLiteral("[public]\r\nObject=(Name=BossSkins.boss1,")));
}

QTEST_GUILESS_MAIN(tst_PackageOpener)
#include "tst_PackageOpener.moc"
