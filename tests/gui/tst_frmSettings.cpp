#include "settings/frmSettings.h"

#include "WindowTestState.h"
#include "settings/frmBrowse.h"
#include "shell/Startup.h"
#include "shell/frmWizard.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// "Section/Key=value" entries, as the tables below write them.
void Store(QSettings& store, const QStringList& entries) {
    for (const QString& entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        store.setValue(entry.left(equals), entry.mid(equals + 1));
    }
    store.sync();
}

QStringList Stored(QSettings& store) {
    store.sync();
    QStringList entries;
    for (const QString& key : store.allKeys())
        entries.append(key + QLatin1Char('=') + store.value(key).toString());
    entries.sort();
    return entries;
}

QStringList Sorted(QStringList entries) {
    entries.sort();
    return entries;
}

// Opens `path` in the picker by double-clicking the way down from the root,
// then presses OK.
void PickInBrowser(QWidget* modal, const QString& path) {
    auto* picker = qobject_cast<frmBrowse*>(modal);
    QVERIFY(picker);
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QList<QTreeWidgetItem*> found =
            picker->Dir1->findItems(part, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty());
        picker->Dir1->scrollToItem(found.last());
        const QPoint centre = picker->Dir1->visualItemRect(found.last()).center();
        QTest::mouseClick(picker->Dir1->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(picker->Dir1->viewport(), Qt::LeftButton, {}, centre);
    }
    QTest::mouseClick(picker->cmdOK, Qt::LeftButton);
}

} // namespace

class tst_frmSettings : public QObject {
    Q_OBJECT

    // The wizard as the menu command leaves it: on screen, disabled.
    struct Opened {
        WindowTestState t;
        frmWizard wizard{t.state};
        QPointer<frmSettings> window;
        Opened(const QStringList& stored = {}) {
            Store(t.store, stored);
            t.state.wizard = &wizard;
            wizard.show();
            wizard.setEnabled(false);
            window = new frmSettings(t.state);
            t.state.settingsWindow = window.data();
            window->show();
        }
    };

private slots:
    void loadsTheStoredValues_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("gameDir");
        QTest::addColumn<QString>("storageDir");
        QTest::addColumn<bool>("wizardMode");
        QTest::addColumn<Qt::CheckState>("picView");
        QTest::addColumn<Qt::CheckState>("splash");
        QTest::newRow("nothing stored") << QStringList{} << ""
                                        << "" << false << Qt::Unchecked << Qt::Checked;
        QTest::newRow("everything stored")
            << QStringList{"Settings/UTDir=/games/ut", "Settings/UTXDir=/games/skins",
                           "Settings/Startup=True", "Settings/PicView=1", "Settings/Splash=0"}
            << "/games/ut"
            << "/games/skins" << true << Qt::Checked << Qt::Unchecked;
        QTest::newRow("expert mode") << QStringList{"Settings/Startup=False"} << ""
                                     << "" << false << Qt::Unchecked << Qt::Checked;
        QTest::newRow("mode as a number") << QStringList{"Settings/Startup=-1"} << ""
                                          << "" << true << Qt::Unchecked << Qt::Checked;
        QTest::newRow("unreadable values keep the design")
            << QStringList{"Settings/Startup=maybe", "Settings/PicView=yes", "Settings/Splash=7"}
            << ""
            << "" << false << Qt::Unchecked << Qt::Checked;
        QTest::newRow("greyed check box") << QStringList{"Settings/PicView=2"} << ""
                                          << "" << false << Qt::PartiallyChecked << Qt::Checked;
    }
    void loadsTheStoredValues() {
        QFETCH(QStringList, stored);
        QFETCH(QString, gameDir);
        QFETCH(QString, storageDir);
        QFETCH(bool, wizardMode);
        QFETCH(Qt::CheckState, picView);
        QFETCH(Qt::CheckState, splash);
        WindowTestState t;
        Store(t.store, stored);
        frmSettings window(t.state);
        QCOMPARE(window.txtDir[1]->text(), gameDir);
        QCOMPARE(window.txtDir[0]->text(), storageDir);
        QCOMPARE(window.Option1->isChecked(), wizardMode);
        QCOMPARE(window.Option2->isChecked(), !wizardMode);
        QCOMPARE(window.Check1->checkState(), picView);
        QCOMPARE(window.Check2->checkState(), splash);
        // Loading writes nothing.
        QCOMPARE(Stored(t.store), Sorted(stored));
    }

    void okStoresTheWindow_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first run")
            << QStringList{} << "/games/ut"
            << QStringList{
                   "Company/Company=Orrenby-2000", "Settings/PicView=0",       "Settings/Splash=1",
                   "Settings/Startup=True",        "Settings/UTDir=/games/ut", "Settings/UTXDir="};
        QTest::newRow("hidden values travel through")
            << QStringList{"Settings/UTDir=/old",    "Settings/UTXDir=/skins",
                           "Settings/Startup=False", "Settings/PicView=1",
                           "Settings/Splash=2",      "WindowPos/WizTop=1500"}
            << "/new"
            << QStringList{
                   "Company/Company=Orrenby-2000", "Settings/PicView=1",  "Settings/Splash=2",
                   "Settings/Startup=True",        "Settings/UTDir=/new", "Settings/UTXDir=/skins",
                   "WindowPos/WizTop=1500"};
        QTest::newRow("text as typed") << QStringList{} << "  C:\\UnrealTournament\\ "
                                       << QStringList{"Company/Company=Orrenby-2000",
                                                      "Settings/PicView=0",
                                                      "Settings/Splash=1",
                                                      "Settings/Startup=True",
                                                      "Settings/UTDir=  C:\\UnrealTournament\\ ",
                                                      "Settings/UTXDir="};
    }
    void okStoresTheWindow() {
        QFETCH(QStringList, stored);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        Opened o(stored);
        o.wizard.hide();
        o.window->txtDir[1]->setText(typed);
        QTest::mouseClick(o.window->cmdOK, Qt::LeftButton);
        QCOMPARE(Stored(o.t.store), expected);
        // The settings are in memory again, the window is gone and the wizard
        // is back.
        QCOMPARE(o.t.state.settings.UTDir, typed);
        QVERIFY(o.window.isNull() || !o.window->isVisible());
        QVERIFY(o.wizard.isEnabled());
        QVERIFY(o.wizard.isVisible());
    }

    void okWithoutAGameFolderDoesNothing() {
        Opened o({"Settings/PicView=1"});
        o.window->txtDir[1]->clear();
        o.window->txtDir[0]->setText(QStringLiteral("/skins"));
        QTest::mouseClick(o.window->cmdOK, Qt::LeftButton);
        QCOMPARE(Stored(o.t.store), QStringList{"Settings/PicView=1"});
        QVERIFY(o.window->isVisible());
        QVERIFY(!o.wizard.isEnabled());
    }

    void closingWithoutOkStoresNothing_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void closingWithoutOkStoresNothing() {
        QFETCH(bool, closeBox);
        Opened o({"Settings/UTDir=/ut"});
        o.window->txtDir[1]->setText(QStringLiteral("/elsewhere"));
        o.window->Check1->setChecked(true);
        if (closeBox)
            o.window->close();
        else
            QTest::mouseClick(o.window->cmdCancel, Qt::LeftButton);
        QCOMPARE(Stored(o.t.store), QStringList{"Settings/UTDir=/ut"});
        QVERIFY(o.wizard.isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(o.window.isNull());
        QVERIFY(o.t.state.settingsWindow.isNull());
    }

    void restoreDefaultSettings_data() {
        QTest::addColumn<bool>("thenOk");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("then Cancel")
            << false
            << QStringList{"Settings/PicView=0", "Settings/Splash=1", "Settings/Startup=True",
                           "Settings/UTDir=/ut", "Settings/UTXDir=/skins"};
        QTest::newRow("then OK") << true << QStringList{"Company/Company=Orrenby-2000",
                                                        "Settings/PicView=0",
                                                        "Settings/Splash=1",
                                                        "Settings/Startup=True",
                                                        "Settings/UTDir=/ut",
                                                        "Settings/UTXDir=/skins"};
    }
    void restoreDefaultSettings() {
        QFETCH(bool, thenOk);
        QFETCH(QStringList, expected);
        Opened o({"Settings/UTDir=/ut", "Settings/UTXDir=/skins", "Settings/Startup=False",
                  "Settings/PicView=1", "Settings/Splash=0", "WindowPos/WizTop=1500",
                  "WindowPos/WizLeft=3000", "WindowPos/WizWidth=4000", "WindowPos/WizHeight=3600"});
        o.window->txtDir[1]->setText(QStringLiteral("/typed but not confirmed"));
        QTest::mouseClick(o.window->cmdDefault, Qt::LeftButton);
        QVERIFY(o.window->isVisible());
        QVERIFY(o.window->Option1->isChecked());
        QCOMPARE(o.window->Check1->checkState(), Qt::Unchecked);
        QCOMPARE(o.window->Check2->checkState(), Qt::Checked);
        QCOMPARE(o.window->txtDir[1]->text(), QStringLiteral("/typed but not confirmed"));
        QVERIFY(o.t.state.WindowPosReset);

        if (thenOk) {
            o.window->txtDir[1]->setText(QStringLiteral("/ut"));
            QTest::mouseClick(o.window->cmdOK, Qt::LeftButton);
        } else {
            QTest::mouseClick(o.window->cmdCancel, Qt::LeftButton);
        }
        // Closing the wizard in this run leaves the placement deleted.
        SaveWindowPos(o.t.state, &o.wizard);
        QCOMPARE(Stored(o.t.store), expected);
        QVERIFY(o.wizard.isEnabled());
    }

    void browseFillsTheGameFolder_data() {
        QTest::addColumn<QStringList>("steps"); // "pick", "root", "cancel", "close", "type:<text>"
        QTest::addColumn<QString>("expected");  // "$tree" stands for the picked folder
        QTest::newRow("pick a folder") << QStringList{"pick"} << "$tree";
        QTest::newRow("pick the root") << QStringList{"root"} << "/";
        QTest::newRow("Cancel") << QStringList{"cancel"} << "/ut";
        QTest::newRow("close box") << QStringList{"close"} << "/ut";
        QTest::newRow("Cancel after a pick")
            << QStringList{"pick", "type:/typed", "cancel"} << "/typed";
        QTest::newRow("close box after a pick")
            << QStringList{"pick", "type:/typed", "close"} << "/typed";
    }
    void browseFillsTheGameFolder() {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        Opened o({"Settings/UTDir=/ut"});
        const QString tree = o.t.folder.filePath(QStringLiteral("Unreal Tournament"));
        QVERIFY(QDir().mkpath(tree));
        for (const QString& step : steps) {
            if (step.startsWith(QLatin1String("type:"))) {
                o.window->txtDir[1]->setText(step.mid(5));
                continue;
            }
            WhenModal([&](QWidget* modal) {
                if (step == QLatin1String("pick"))
                    PickInBrowser(modal, tree);
                else if (step == QLatin1String("root"))
                    PickInBrowser(modal, QString());
                else if (step == QLatin1String("cancel"))
                    QTest::mouseClick(modal->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
                else
                    modal->close();
            });
            QTest::mouseClick(o.window->cmdBrowse[1], Qt::LeftButton);
        }
        QCOMPARE(o.window->txtDir[1]->text(), QString(expected).replace("$tree", tree));
        QVERIFY(o.window->isVisible());
        QCOMPARE(Stored(o.t.store), QStringList{"Settings/UTDir=/ut"});
    }
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmSettings.moc"
