#include "check/SkinCheck.h"

#include "TestPaths.h"
#include "services/Text1252.h"

#include <QtTest>

namespace {

QList<ModelSlots> Table() {
    return ParseModelSlots(FileBytes(SourceDataDir() + "/ModelSlots.ini"));
}

QString FixtureText(const QString& name) {
    return FromWindows1252(FileBytes(FixturesDir() + '/' + name));
}

// The game's whole package `name`, with a name of its table replaced when
// `renamed` is "old>new" (of equal length); null where it is not at hand.
std::shared_ptr<const PackageContents> WholePackage(const QString& name,
                                                    const QString& renamed = {}) {
    QByteArray bytes = FileBytes(FullPackagesDir() + '/' + name + ".utx");
    if (const QStringList names = renamed.split('>'); names.size() == 2)
        bytes.replace(names[0].toLatin1() + '\0', names[1].toLatin1() + '\0');
    const PackageResult<UnrealPackage> package = UnrealPackage::fromBytes(bytes, name);
    return package ? std::make_shared<const PackageContents>(*package) : nullptr;
}

QString Line(CheckRule rule, int line) {
    return QString::number(int(rule)) + '@' + QString::number(line);
}

// The errors and warnings of `result`, as "rule@line".
QStringList Problems(const CheckResult& result) {
    QStringList problems;
    for (const Finding& finding : result.findings) {
        if (finding.severity != Severity::Note)
            problems.append(Line(finding.rule, finding.line));
    }
    return problems;
}

} // namespace

class tst_SkinCheck : public QObject {
    Q_OBJECT

private slots:
    // The game's own files read as the game reads them, against their whole
    // packages where these are at hand: nothing in them is an error.
    void gameFilesHaveNoErrors_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"SoldierSkins", "CommandoSkins", "BossSkins", "Female1Skins",
                                 "Male1Skins", "SkTrooperSkins"})
            QTest::newRow(name) << QString(name);
    }
    void gameFilesHaveNoErrors() {
        QFETCH(QString, name);
        REQUIRE_FIXTURE(name + ".int");
        const auto package = WholePackage(name);
        const CheckResult result = CheckSkin(
            FixtureText(name + ".int"), {name, package, FindModelSlots(Table(), name)}, nullptr);
        for (const Finding& finding : result.findings)
            QVERIFY2(finding.severity != Severity::Error, qPrintable(finding.text));
        QVERIFY(!result.menu.isEmpty() || name == "SkTrooperSkins");
    }

    void menuListsSkinsWithTheirFaces() {
        REQUIRE_FIXTURE("SoldierSkins.int");
        const CheckResult result =
            CheckSkin(FixtureText("SoldierSkins.int"),
                      {"SoldierSkins", nullptr, FindModelSlots(Table(), "SoldierSkins")}, nullptr);
        const auto marine =
            std::find_if(result.menu.cbegin(), result.menu.cend(),
                         [](const MenuSkin& skin) { return skin.description == "Marine"; });
        QVERIFY(marine != result.menu.cend());
        QCOMPARE(marine->base, QString("SoldierSkins.blkt"));
        QStringList faces;
        for (const MenuFace& face : marine->faces)
            faces << face.description + '=' + face.texture + '+' + face.portrait;
        QCOMPARE(faces, QStringList({"Malcom=SoldierSkins.blkt4Malcom+SoldierSkins.blkt5Malcom",
                                     "Othello=SoldierSkins.blkt4Othello+SoldierSkins.blkt5Othello",
                                     "Riker=SoldierSkins.blkt4Riker+SoldierSkins.blkt5Riker"}));
    }

    // Each broken variant of a game's file adds exactly the problems
    // expected. Lines are appended after the file's last line (SoldierSkins
    // 106, BossSkins 23, checked against its whole package), the package is
    // renamed, or a name in the whole package is.
    void brokenVariantsGiveOneFinding_data() {
        QTest::addColumn<QString>("appended");
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("otherFile");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("renamed");
        const auto row = [](const char* tag, const QString& appended, const QString& expected,
                            const QString& package = "SoldierSkins", const QString& otherFile = {},
                            const QString& renamed = {}) {
            QTest::newRow(tag) << appended << package << otherFile << expected << renamed;
        };
        const QString b = "BossSkins", object = "Object=(Name=SoldierSkins.";
        row("palette listed as a texture", "Object=(Name=BossSkins.Palette65,Class=Texture)",
            Line(CheckRule::WrongClass, 24), b);
        row("missing portrait", "",
            Line(CheckRule::MissingPortrait, 2) + ' ' + Line(CheckRule::MissingObject, 23), b, "",
            "boss5Xan>boss5Xaq");
        row("missing team colour", "",
            Line(CheckRule::MissingTeamColours, 2) + ' ' + Line(CheckRule::MissingObject, 20), b,
            "", "boss4T_2>boss4T_9");
        row("renamed package", "", Line(CheckRule::OtherPackage, 2), "SoldierSkins_Foo");
        row("face without skin", object + "zzzz4Bob,Class=Texture,Description=\"Bob\")",
            Line(CheckRule::FaceWithoutSkin, 107));
        row("name too long", object + "blkt" + QString(60, 'x') + ",Class=Texture)",
            Line(CheckRule::NameTooLong, 107));
        row("duplicate across files", object + "Gard9,Class=Texture)",
            Line(CheckRule::DuplicateElsewhere, 107), "SoldierSkins",
            "[public]\nObject=(Name=soldierskins.gard9,Class=Texture)");
        row("skin base of another file", object + "zzzz1,Class=Texture,Description=\"Z\")",
            Line(CheckRule::SharedBase, 107), "SoldierSkins",
            "[public]\nObject=(Name=SoldierSkins_X.zzzz1,Class=Texture,Description=\"Y\")");
        row("unreadable line", "Object (Name=SoldierSkins.blkt9)",
            Line(CheckRule::Unreadable, 107));
        row("cut description", object + "blkt4Bob,Class=Texture,Description=Big Bob)",
            Line(CheckRule::DescriptionCut, 107));
        row("face on the wrong body part", object + "blkt2Bob,Class=Texture,Description=\"Bob\")",
            Line(CheckRule::FaceSlot, 107));
        row("skin of three characters", object + "abc,Class=Texture,Description=\"Abc\")",
            Line(CheckRule::SkinName, 107));
        row("not for this mesh", "Object=(Name=CommandoSkins.cmdo1,Class=Texture)",
            Line(CheckRule::MeshPrefix, 107), "");
        row("outside [Public]", "[Other]\r\n" + object + "blkt1,Class=Texture)",
            Line(CheckRule::OutsidePublic, 108));
    }
    void brokenVariantsGiveOneFinding() {
        QFETCH(QString, appended);
        QFETCH(QString, package);
        QFETCH(QString, otherFile);
        QFETCH(QString, expected);
        QFETCH(QString, renamed);
        const QString base = package.startsWith("BossSkins") ? "BossSkins" : "SoldierSkins";
        REQUIRE_FIXTURE(base + ".int");
        const auto whole = WholePackage(base);
        if (base == "BossSkins" && !whole)
            QSKIP("the whole BossSkins package is not available");
        const std::optional<ModelSlots> model = FindModelSlots(Table(), base);
        const QString text = FixtureText(base + ".int");
        const QString broken = text + (text.endsWith('\n') ? "" : "\r\n") + appended;
        GameFiles game;
        game.add({"Other.int", ReadIntText(otherFile).entries});
        const QStringList before = Problems(CheckSkin(text, {base, whole, model}, &game));
        const auto changed = renamed.isEmpty() ? whole : WholePackage(base, renamed);
        QStringList after = Problems(CheckSkin(broken, {package, changed, model}, &game));
        for (const QString& problem : before)
            after.removeOne(problem);
        QCOMPARE(after, expected.split(' '));
    }

    void summaryCountsBySeverity() {
        QCOMPARE(FindingsSummary({}), QString("No problems found"));
        QCOMPARE(FindingsSummary({{Severity::Warning, CheckRule::Duplicate, 1, ""},
                                  {Severity::Error, CheckRule::Duplicate, 2, ""},
                                  {Severity::Error, CheckRule::Duplicate, 3, ""}}),
                 QString("2 errors, 1 warning"));
    }
};

QTEST_GUILESS_MAIN(tst_SkinCheck)
#include "tst_SkinCheck.moc"
