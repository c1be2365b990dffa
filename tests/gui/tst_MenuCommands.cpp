#include "shell/MenuCommands.h"

#include "WindowTestState.h"
#include "services/frmTutorial.h"
#include "settings/frmSettings.h"
#include "shell/frmWizard.h"

using Command = void (*)(AppState&);
Q_DECLARE_METATYPE(Command)

namespace {

// The wizard on screen at a place of the test's choosing.
struct Running {
    WindowTestState t;
    frmWizard wizard{t.state};
    explicit Running(QPoint at = QPoint(400, 200)) {
        t.state.wizard = &wizard;
        wizard.move(at);
        wizard.show();
    }
};

} // namespace

class tst_MenuCommands : public QObject {
    Q_OBJECT

private slots:
    void settingsDisablesTheWizardUntilClosed() {
        Running r;
        mnuSettings_Click(r.t.state);
        QVERIFY(r.t.state.settingsWindow->isVisible() && !r.t.state.settingsWindow->isModal());
        QVERIFY(!r.wizard.isEnabled() && r.wizard.isVisible());
        r.t.state.settingsWindow->close();
        QVERIFY(r.wizard.isEnabled() && r.wizard.isVisible());
    }

    void modalToTheWizard_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QPoint>("wizardAt");
        QTest::addColumn<QString>("place"); // on the wizard's "corner", "left" of it, or anywhere
        QTest::newRow("types") << Command(mnuEditTypes_Click) << QPoint(300, 150) << "corner";
        QTest::newRow("filter") << Command(mnuEditFilter_Click) << QPoint(500, 120) << "left";
        QTest::newRow("filter, edge") << Command(mnuEditFilter_Click) << QPoint(40, 60) << "left";
        QTest::newRow("about") << Command(mnuAbout_Click) << QPoint(300, 150) << "";
    }
    void modalToTheWizard() {
        QFETCH(Command, command);
        QFETCH(QPoint, wizardAt);
        QFETCH(QString, place);
        Running r(wizardAt);
        bool shown = false;
        WhenModal([&](QWidget* modal) {
            shown = modal->parentWidget() == &r.wizard;
            const QRect outer = modal->frameGeometry(), wizard = r.wizard.frameGeometry();
            if (place == "corner")
                QCOMPARE(outer.topLeft(), wizard.topLeft());
            if (place == "left")
                QCOMPARE(outer.topRight(), wizard.topLeft() - QPoint(1, 0));
            modal->close();
        });
        command(r.t.state);
        QVERIFY(shown);
    }

    void tutorialTwiceIsOneWindowInFront() {
        Running r;
        mnuTutorial_Click(r.t.state);
        const QPointer<frmTutorial> first = r.t.state.tutorial.data();
        first->setWindowTitle("Something else");
        first->hide();
        mnuTutorial_Click(r.t.state);
        QCOMPARE(r.t.state.tutorial.data(), first.data());
        QVERIFY(first->isVisible() && !first->isModal() && first->windowTitle() == "Tutorial");
    }
};

QTEST_MAIN(tst_MenuCommands)
#include "tst_MenuCommands.moc"
