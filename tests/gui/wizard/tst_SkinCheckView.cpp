#include "wizard/SkinCheckView.h"

#include "TestPaths.h"
#include "UtxBuilder.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString Text = "[public]\n"
                     "Object=(Name=SoldierSkins_Foo.foot1,Class=Texture,Description=\"Foot\")\n"
                     "Object=(Name=SoldierSkins_Foo.foot4Bob,Class=Texture,Description=\"Bob\")\n"
                     "Object=(Name=SoldierSkins_Foo.foot4Al,Class=Texture,Description=\"Al\")\n";

// A whole skin with its team colours and the faces Bob and Al; Al lacks his
// portrait.
CheckContext Soldier() {
    QList<SyntheticTexture> textures;
    for (const char* name : {"foot1", "foot2", "foot3", "foot4", "foot4Bob", "foot4Al", "foot5Bob"})
        textures.append({name});
    for (int part : {1, 2}) {
        for (int team = 0; team < 4; ++team)
            textures.append({QString("foot%1T_%2").arg(part).arg(team)});
    }
    const auto package =
        UnrealPackage::fromBytes(BuildTexturePackage(textures), "SoldierSkins_Foo");
    return {{"SoldierSkins_Foo", std::make_shared<const PackageContents>(*package),
             FindModelSlots(ParseModelSlots(FileBytes(SourceDataDir() + "/ModelSlots.ini")),
                            "SoldierSkins")},
            {}};
}

} // namespace

class tst_SkinCheckView : public QObject {
    Q_OBJECT

private slots:
    // Edits are checked a moment later; the summary, the findings and the
    // menu listing (faces with their portraits, decoded from the package)
    // follow the text, and activating a finding selects its line.
    void followsTheText() {
        QWidget panel;
        QPlainTextEdit text(&panel);
        SkinCheckView view(&text, &panel);
        view.setContext(Soldier());
        text.setPlainText(Text);
        QTRY_COMPARE(view.tvwMenu->findItems("Foot", Qt::MatchExactly).size(), 1);
        QCOMPARE(view.lblCheckSummary->text(), QString("1 error, 1 note"));
        QCOMPARE(view.tvwMenu->topLevelItemCount(), 1);
        const QTreeWidgetItem* skin = view.tvwMenu->topLevelItem(0);
        QCOMPARE(skin->childCount(), 2);
        QCOMPARE(skin->child(0)->text(0), QString("Al  (no portrait foot5Al)"));
        QTRY_VERIFY(!view.tvwMenu->topLevelItem(0)->child(1)->icon(0).isNull());
        QVERIFY(view.tvwMenu->topLevelItem(0)->child(0)->icon(0).isNull());

        text.appendPlainText("Object=(Name=Other.foot2,Class=Texture)\nbroken line");
        QTRY_COMPARE(view.lblCheckSummary->text(), QString("4 errors, 1 note"));
        QListWidgetItem* finding =
            view.lstFindings->findItems("Line 7:", Qt::MatchStartsWith).value(0);
        QVERIFY(finding);
        emit view.lstFindings->itemActivated(finding);
        QCOMPARE(text.textCursor().selectedText(), QString("broken line"));
        // Too narrow for every count: the notes are left to the list.
        view.lblCheckSummary->resize(
            view.lblCheckSummary->fontMetrics().horizontalAdvance("4 errors"), 20);
        view.checkNow();
        QCOMPARE(view.lblCheckSummary->text() + view.lblCheckSummary->toolTip(),
                 QString("4 errors4 errors, 1 note"));
    }
};

QTEST_MAIN(tst_SkinCheckView)
#include "tst_SkinCheckView.moc"
