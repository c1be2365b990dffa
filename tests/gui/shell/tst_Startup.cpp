#include "WindowTestState.h"
#include "settings/GameFolders.h"
#include "settings/frmSettings.h"
#include "shell/MenuCommands.h"
#include "shell/Startup.h"
#include "wizard/frmWizard.h"

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    // A first run asks for the game folder before the wizard comes up, centred; a damaged filter
    // list is told at start-up, naming it.
    void wizardComesLast_data() {
        QTest::addColumn<bool>("firstRun");
        QTest::newRow("folders stored") << false;
        QTest::newRow("first run") << true;
    }
    void wizardComesLast() {
        QFETCH(bool, firstRun);
        WindowTestState t;
        const QString game = t.folder.filePath("game"), other = t.folder.filePath("other");
        for (const QString key : {"Settings/UTDir", "Settings/UTXDir"})
            if (!firstRun)
                t.store.setValue(key, game);
        QVERIFY(WriteBytes(t.programFile("unreal.flt"), QByteArray(10, '\0')));
        // OKs the settings window shown modally, noting whether the wizard is up.
        QStringList shown;
        bool answering = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            frmSettings* settings = t.state.settingsWindow;
            if (answering || !settings || !settings->isVisible() ||
                !settings->testAttribute(Qt::WA_ShowModal))
                return;
            answering = true;
            shown << QString::number(t.state.wizard->isVisible());
            QTimer::singleShot(0, settings, [&, settings] { // so one asked for meanwhile is seen
                answering = false;
                settings->txtDir[1]->setText(game);
                settings->cmdOK->click();
                settings->close();
                shown << QString::number(t.state.wizard->isVisible());
            });
        });
        watch.start(10);
        const std::unique_ptr<frmWizard> wizard = Main(t.session, t.state);

        QCOMPARE(shown, (firstRun ? QStringList{"0", "0"} : QStringList()));
        QCOMPARE(t.dialogs.titles(), QStringList{"Filter List"});
        QVERIFY(t.dialogs.messages[0].text.contains(t.programFile("unreal.flt")));
        QVERIFY(wizard->isVisible());
        const QPoint centre = wizard->screen()->availableGeometry().center();
        QVERIFY((wizard->frameGeometry().center() - centre).manhattanLength() <= 2);
        QCOMPARE(t.state.settings.UTDir, game);
        QCOMPARE(t.state.AppIcon.cacheKey(), wizard->windowIcon().cacheKey());
        QCOMPARE(t.state.AppIcon.pixmap(32).size(), QSize(32, 32)); // built into the program

        mnuSettings_Click(t.state); // whose OK loads the settings again, asking nothing
        QVERIFY(t.state.settingsWindow->isVisible() && !t.state.settingsWindow->isModal());
        QVERIFY(!wizard->isEnabled());
        t.store.setValue("Settings/UTDir", other);
        t.store.remove("Settings/UTXDir");
        GetRegInfo(t.state);
        QCOMPARE(shown.size(), firstRun ? 2 : 0);
        QCOMPARE(t.state.settings.UTDir, other);
        QCOMPARE(t.state.settings.TexturesDir, TexturesDirFor(game)); // as found at start-up
        t.state.settingsWindow->close();                              // the wizard is usable again
        QVERIFY(wizard->isEnabled());
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
