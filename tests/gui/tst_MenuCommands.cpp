#include "shell/MenuCommands.h"

#include "WindowTestState.h"
#include "services/frmTutorial.h"
#include "settings/frmSettings.h"
#include "shell/frmWizard.h"

using Command = void (*)(AppState&);
Q_DECLARE_METATYPE(Command)

// The wizard on screen at a place of the test's choosing.
struct Running : WindowTestState {
    frmWizard wizard{state};
    explicit Running(QPoint at = QPoint(400, 200)) {
        state.wizard = &wizard;
        wizard.move(at);
        wizard.show();
    }
};

class tst_MenuCommands : public QObject {
    Q_OBJECT

private slots:
    // The settings window keeps the wizard disabled until it closes; a second
    // tutorial command brings the one tutorial window forward again.
    void windowsBesideTheWizard() {
        Running r;
        mnuSettings_Click(r.state);
        QVERIFY(r.state.settingsWindow->isVisible() && !r.state.settingsWindow->isModal());
        QVERIFY(!r.wizard.isEnabled());
        r.state.settingsWindow->close();
        QVERIFY(r.wizard.isEnabled());
        mnuTutorial_Click(r.state);
        const QPointer<frmTutorial> first = r.state.tutorial.data();
        first->setWindowTitle("Something else");
        first->hide();
        mnuTutorial_Click(r.state);
        QCOMPARE(r.state.tutorial.data(), first.data());
        QVERIFY(first->isVisible() && !first->isModal() && first->windowTitle() == "Tutorial");
    }

    void modalToTheWizard_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QPoint>("wizardAt");
        QTest::addColumn<QString>("place"); // on the wizard's "corner", "left" of it, or anywhere
        QTest::newRow("types") << Command(mnuEditTypes_Click) << QPoint(300, 150) << "corner";
        QTest::newRow("filter") << Command(mnuEditFilter_Click) << QPoint(500, 120) << "left";
        QTest::newRow("at the edge") << Command(mnuEditFilter_Click) << QPoint(40, 60) << "left";
        QTest::newRow("about") << Command(mnuAbout_Click) << QPoint(300, 150) << "";
    }
    void modalToTheWizard() {
        QFETCH(Command, command);
        QFETCH(QPoint, wizardAt);
        QFETCH(QString, place);
        Running r(wizardAt);
        QWidget* owner = nullptr;
        WhenModal([&](QWidget* modal) {
            owner = modal->parentWidget();
            const QRect outer = modal->frameGeometry(), wizard = r.wizard.frameGeometry();
            if (place == "corner")
                QCOMPARE(outer.topLeft(), wizard.topLeft());
            if (place == "left")
                QCOMPARE(outer.topRight(), wizard.topLeft() - QPoint(1, 0));
            modal->close();
        });
        command(r.state);
        QCOMPARE(owner, &r.wizard);
    }
};

QTEST_MAIN(tst_MenuCommands)
#include "tst_MenuCommands.moc"
