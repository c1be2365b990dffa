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

// The errors and warnings of `result`, as "rule@line".
QStringList Problems(const CheckResult& result) {
    QStringList problems;
    for (const Finding& finding : result.findings) {
        if (finding.severity != Severity::Note)
            problems.append(QString::number(int(finding.rule)) + '@' +
                            QString::number(finding.line));
    }
    return problems;
}

QString Line(int rule, int line) {
    return QString::number(rule) + '@' + QString::number(line);
}

} // namespace

class tst_SkinCheck : public QObject {
    Q_OBJECT

private slots:
    // The game's own files read as the game reads them: nothing in them is
    // an error, whatever their model.
    void gameFilesHaveNoErrors_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"SoldierSkins", "CommandoSkins", "BossSkins", "Female1Skins",
                                 "Male1Skins", "SkTrooperSkins"})
            QTest::newRow(name) << QString(name);
    }
    void gameFilesHaveNoErrors() {
        QFETCH(QString, name);
        REQUIRE_FIXTURE(name + ".int");
        const QList<ModelSlots> table = Table();
        const CheckResult result = CheckSkin(
            {FixtureText(name + ".int"), name, nullptr, FindModelSlots(table, name), nullptr});
        for (const Finding& finding : result.findings)
            QVERIFY2(finding.severity != Severity::Error, qPrintable(finding.text));
        QVERIFY(!result.menu.isEmpty() || name == "SkTrooperSkins");
    }

    void menuListsSkinsWithTheirFaces() {
        REQUIRE_FIXTURE("SoldierSkins.int");
        const QList<ModelSlots> table = Table();
        const CheckResult result =
            CheckSkin({FixtureText("SoldierSkins.int"), "SoldierSkins", nullptr,
                       FindModelSlots(table, "SoldierSkins"), nullptr});
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

    // Each broken variant of SoldierSkins.int adds exactly one problem. Lines
    // are appended after the file's last line (106) or the package renamed.
    void brokenVariantsGiveOneFinding_data() {
        QTest::addColumn<QString>("appended");
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("otherFile");
        QTest::addColumn<QString>("expected");
        const QString s = "SoldierSkins";
        QTest::newRow("renamed package") << ""
                                         << "SoldierSkins_Foo"
                                         << "" << Line(int(CheckRule::OtherPackage), 2);
        QTest::newRow("face without skin")
            << "Object=(Name=SoldierSkins.zzzz4Bob,Class=Texture,Description=\"Bob\")" << s << ""
            << Line(int(CheckRule::FaceWithoutSkin), 107);
        QTest::newRow("name too long")
            << "Object=(Name=SoldierSkins.blkt" + QString(60, 'x') + ",Class=Texture)" << s << ""
            << Line(int(CheckRule::NameTooLong), 107);
        QTest::newRow("duplicate across files")
            << "Object=(Name=SoldierSkins.Gard9,Class=Texture)" << s
            << "[public]\nObject=(Name=soldierskins.gard9,Class=Texture)"
            << Line(int(CheckRule::DuplicateElsewhere), 107);
        QTest::newRow("unreadable line") << "Object (Name=SoldierSkins.blkt9)" << s << ""
                                         << Line(int(CheckRule::Unreadable), 107);
        QTest::newRow("cut description")
            << "Object=(Name=SoldierSkins.blkt4Bob,Class=Texture,Description=Big Bob)" << s << ""
            << Line(int(CheckRule::DescriptionCut), 107);
        QTest::newRow("face on the wrong body part")
            << "Object=(Name=SoldierSkins.blkt2Bob,Class=Texture,Description=\"Bob\")" << s << ""
            << Line(int(CheckRule::FaceSlot), 107);
        QTest::newRow("skin of three characters")
            << "Object=(Name=SoldierSkins.abc,Class=Texture,Description=\"Abc\")" << s << ""
            << Line(int(CheckRule::SkinName), 107);
        QTest::newRow("not for this mesh") << "Object=(Name=CommandoSkins.cmdo1,Class=Texture)"
                                           << ""
                                           << "" << Line(int(CheckRule::MeshPrefix), 107);
        QTest::newRow("outside [Public]")
            << "[Other]\r\nObject=(Name=SoldierSkins.blkt1,Class=Texture)" << s << ""
            << Line(int(CheckRule::OutsidePublic), 108);
    }
    void brokenVariantsGiveOneFinding() {
        QFETCH(QString, appended);
        QFETCH(QString, package);
        QFETCH(QString, otherFile);
        QFETCH(QString, expected);
        REQUIRE_FIXTURE("SoldierSkins.int");
        const QList<ModelSlots> table = Table();
        const ModelSlots* soldier = FindModelSlots(table, "SoldierSkins");
        const QString text = FixtureText("SoldierSkins.int");
        GameFiles game;
        game.add({"Other.int", ReadIntText(otherFile).entries});
        const QStringList before =
            Problems(CheckSkin({text, "SoldierSkins", nullptr, soldier, &game}));
        QStringList after =
            Problems(CheckSkin({text + appended, package, nullptr, soldier, &game}));
        for (const QString& problem : before)
            after.removeOne(problem);
        QCOMPARE(after, QStringList{expected});
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
