#include "shell/MenuCommands.h"

#include "WindowTestState.h"
#include "catalogue/frmEditTypes.h"
#include "engine/frmEditFilter.h"
#include "services/frmAbout.h"
#include "services/frmTutorial.h"
#include "settings/frmBrowse.h"
#include "settings/frmSettings.h"
#include "shell/frmWizard.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

void WriteText(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

template <typename Window> int CountOpen() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += qobject_cast<Window*>(window) && window->isVisible() ? 1 : 0;
    return count;
}

// How a modal window opened by a menu command stood while it was up.
struct SeenModal {
    QString name;
    QWidget* owner = nullptr;
    QRect outer;
};

} // namespace

class tst_MenuCommands : public QObject {
    Q_OBJECT

    // The wizard on screen at a place of the test's choosing.
    struct Running {
        WindowTestState t;
        frmWizard wizard{t.state};
        explicit Running(QPoint at = QPoint(400, 200)) {
            t.state.endProcess = [] {};
            t.state.wizard = &wizard;
            wizard.move(at);
            wizard.show();
        }
    };

    // Runs `command`, recording the modal window it shows and closing it.
    SeenModal runModal(Running& r, void (*command)(AppState&)) {
        SeenModal seen;
        WhenModal([&seen](QWidget* modal) {
            seen = {modal->objectName(), modal->parentWidget(), modal->frameGeometry()};
            modal->close();
        });
        command(r.t.state);
        return seen;
    }

private slots:
    void startupCreatesTheWindowsHidden() {
        WindowTestState t;
        t.state.AppIcon = QIcon(QPixmap(16, 16));
        CreateStartupWindows(t.state);
        const QList<QWidget*> windows{t.state.browse.data(), t.state.settingsWindow.data(),
                                      t.state.tutorial.data(), t.state.about.data()};
        for (QWidget* window : windows) {
            QVERIFY(window);
            QVERIFY(!window->isVisible());
            QCOMPARE(window->windowIcon().cacheKey(), t.state.AppIcon.cacheKey());
        }
    }

    // The first showing presents what the windows loaded at start-up.
    void firstShowingPresentsWhatStartupLoaded() {
        Running r;
        r.t.store.setValue(QStringLiteral("Settings/UTDir"), QStringLiteral("/at-start"));
        const QString tutorial = r.t.programFile(QStringLiteral("tutorial.txt"));
        WriteText(tutorial, "At start");
        CreateStartupWindows(r.t.state);
        r.t.store.setValue(QStringLiteral("Settings/UTDir"), QStringLiteral("/later"));
        QFile::remove(tutorial);
        WriteText(tutorial, "Later");

        mnuSettings_Click(r.t.state);
        QCOMPARE(r.t.state.settingsWindow->txtDir[1]->text(), QStringLiteral("/at-start"));
        mnuTutorial_Click(r.t.state);
        QCOMPARE(r.t.state.tutorial->txtTutorial->toPlainText(), QStringLiteral("At start"));

        // Closed and opened again, they load afresh.
        r.t.state.settingsWindow->close();
        r.t.state.tutorial->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mnuSettings_Click(r.t.state);
        QCOMPARE(r.t.state.settingsWindow->txtDir[1]->text(), QStringLiteral("/later"));
        mnuTutorial_Click(r.t.state);
        QCOMPARE(r.t.state.tutorial->txtTutorial->toPlainText(), QStringLiteral("Later"));
    }

    void settingsModalWaitsForTheWindow() {
        WindowTestState t;
        CreateStartupWindows(t.state);
        const QPointer<frmSettings> startup = t.state.settingsWindow.data();
        bool wasTheStartupWindow = false;
        WhenModal([&](QWidget* modal) {
            wasTheStartupWindow = modal == startup.data();
            QTest::mouseClick(startup->cmdCancel, Qt::LeftButton);
        });
        ShowSettingsModal(t.state);
        QVERIFY(wasTheStartupWindow);
        QVERIFY(startup.isNull() || !startup->isVisible());
    }

    void settingsDisablesTheWizardUntilClosed_data() {
        QTest::addColumn<QString>("close"); // "cmdOK", "cmdCancel" or the close box
        QTest::newRow("OK") << "cmdOK";
        QTest::newRow("Cancel") << "cmdCancel";
        QTest::newRow("close box") << "";
    }
    void settingsDisablesTheWizardUntilClosed() {
        QFETCH(QString, close);
        Running r;
        mnuSettings_Click(r.t.state);
        frmSettings* window = r.t.state.settingsWindow;
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QVERIFY(!window->parentWidget());
        QVERIFY(!r.wizard.isEnabled());
        QVERIFY(r.wizard.isVisible());

        window->txtDir[1]->setText(QStringLiteral("/games/ut"));
        if (close.isEmpty())
            window->close();
        else
            QTest::mouseClick(window->findChild<QPushButton*>(close), Qt::LeftButton);
        QVERIFY(r.wizard.isEnabled());
        QVERIFY(r.wizard.isVisible());
        QCOMPARE(r.t.state.settings.UTDir,
                 close == QLatin1String("cmdOK") ? QStringLiteral("/games/ut") : QString());
    }

    void editTypesSitsOnTheWizardsCorner() {
        Running r(QPoint(300, 150));
        const SeenModal seen = runModal(r, mnuEditTypes_Click);
        QCOMPARE(seen.name, QStringLiteral("frmEditTypes"));
        QCOMPARE(seen.owner, &r.wizard);
        QCOMPARE(seen.outer.topLeft(), r.wizard.frameGeometry().topLeft());
    }

    void editFilterSitsAgainstTheWizardsLeftEdge_data() {
        QTest::addColumn<QPoint>("wizardAt");
        QTest::newRow("room to the left") << QPoint(500, 120);
        QTest::newRow("near the screen's edge") << QPoint(40, 60);
    }
    void editFilterSitsAgainstTheWizardsLeftEdge() {
        QFETCH(QPoint, wizardAt);
        Running r(wizardAt);
        const SeenModal seen = runModal(r, mnuEditFilter_Click);
        const QRect wizard = r.wizard.frameGeometry();
        QCOMPARE(seen.name, QStringLiteral("frmEditFilter"));
        QCOMPARE(seen.owner, &r.wizard);
        QCOMPARE(seen.outer.right() + 1, wizard.left());
        QCOMPARE(seen.outer.top(), wizard.top());
        QVERIFY(seen.outer.width() > 0);
    }

    void tutorialTwiceIsOneWindowInFront() {
        Running r;
        mnuTutorial_Click(r.t.state);
        const QPointer<frmTutorial> first = r.t.state.tutorial.data();
        QVERIFY(first && first->isVisible());
        QVERIFY(!first->isModal());
        first->setWindowTitle(QStringLiteral("Something else"));
        mnuTutorial_Click(r.t.state);
        QCOMPARE(r.t.state.tutorial.data(), first.data());
        QCOMPARE(CountOpen<frmTutorial>(), 1);
        QCOMPARE(first->windowTitle(), QStringLiteral("Tutorial"));
        QVERIFY(r.wizard.isEnabled());
    }

    void aboutIsModalToTheWizard() {
        Running r;
        const SeenModal seen = runModal(r, mnuAbout_Click);
        QCOMPARE(seen.name, QStringLiteral("frmAbout"));
        QCOMPARE(seen.owner, &r.wizard);
    }
};

QTEST_MAIN(tst_MenuCommands)
#include "tst_MenuCommands.moc"
