#include "ScriptedDialogs.h"
#include "UtxBuilder.h"
#include "services/clsCdlg.h"
#include "settings/GameFolders.h"
#include "settings/frmSettings.h"
#include "shell/AppState.h"
#include "shell/MenuCommands.h"
#include "shell/Startup.h"
#include "shell/frmWizard.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

namespace {

// A program over a private store and folders; the windows start-up creates
// are deleted with it.
struct StartupRig {
    QTemporaryDir folder;
    QString programDir = folder.filePath(QStringLiteral("program"));
    QString gameDir = folder.filePath(QStringLiteral("game"));
    QSettings store{folder.filePath(QStringLiteral("store.ini")), QSettings::IniFormat};
    ScriptedDialogs dialogs;
    clsCdlg cdlg{dialogs};
    AppState state;
    std::unique_ptr<frmWizard> wizard;

    StartupRig() {
        QDir().mkpath(programDir);
        QDir().mkpath(gameDir + QStringLiteral("/Textures"));
        state.programDir = programDir;
        state.store = &store;
        state.dialogs = &dialogs;
        state.cdlg = &cdlg;
        state.endProcess = [] {};
    }
    ~StartupRig() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->parentWidget() && window != wizard.get())
                delete window;
        }
    }

    void storeFolders(const QString& UTDir, const QString& UTXDir) {
        store.setValue(QStringLiteral("Settings/UTDir"), UTDir);
        store.setValue(QStringLiteral("Settings/UTXDir"), UTXDir);
    }
};

// Runs `act` on the first modal window that comes up while it watches; one
// still open after five seconds is closed, so a test fails rather than hangs.
// Watching ends with the test that started it.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget*)> act) : act_(std::move(act)) {
        waited_.start();
        QObject::connect(&poll_, &QTimer::timeout, [this] { check(); });
        poll_.start(10);
    }

private:
    void check() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && !waited_.hasExpired(5000))
            return;
        poll_.stop();
        if (!modal)
            return;
        act_(modal);
        if (QApplication::activeModalWidget() == modal)
            modal->close();
    }

    std::function<void(QWidget*)> act_;
    QTimer poll_;
    QElapsedTimer waited_;
};

bool Centred(const QWidget& window) {
    const QPoint offset =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    return offset.manhattanLength() <= 2;
}

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    void storedFoldersShowTheWizardFirst_data() {
        QTest::addColumn<bool>("placementStored");
        QTest::newRow("no placement stored") << false;
        QTest::newRow("placement stored elsewhere") << true;
    }
    void storedFoldersShowTheWizardFirst() {
        QFETCH(bool, placementStored);
        StartupRig rig;
        rig.storeFolders(rig.gameDir, rig.gameDir);
        if (placementStored) {
            for (const char* key : {"WindowPos/WizTop", "WindowPos/WizLeft"})
                rig.store.setValue(QLatin1String(key), QStringLiteral("1500"));
        }
        bool modalSeen = false;
        const ModalWatch watch([&modalSeen](QWidget*) { modalSeen = true; });
        rig.wizard = Main(rig.state);
        QTest::qWait(50);

        QVERIFY(!modalSeen);
        QCOMPARE(rig.state.wizard.data(), rig.wizard.get());
        QVERIFY(rig.wizard->isVisible());
        QCOMPARE(rig.wizard->step(), 1);
        QVERIFY(Centred(*rig.wizard));
        QCOMPARE(rig.state.settings.UTDir, rig.gameDir);
        QCOMPARE(rig.state.settings.TexturesDir, TexturesDirFor(rig.gameDir));
        QVERIFY(!rig.state.AppIcon.isNull());
        QCOMPARE(rig.state.AppIcon.cacheKey(), rig.wizard->windowIcon().cacheKey());
    }

    void firstRunAsksForTheFoldersFirst_data() {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("settings confirmed") << true;
        QTest::newRow("settings cancelled") << false;
    }
    void firstRunAsksForTheFoldersFirst() {
        QFETCH(bool, confirmed);
        StartupRig rig;
        QString modalName;
        bool wizardShownMeanwhile = true;
        const ModalWatch watch([&](QWidget* modal) {
            modalName = modal->objectName();
            auto* settings = qobject_cast<frmSettings*>(modal);
            if (!settings)
                return;
            wizardShownMeanwhile = rig.state.wizard && rig.state.wizard->isVisible();
            if (confirmed) {
                settings->txtDir[1]->setText(rig.gameDir);
                settings->cmdOK->click();
                // The settings window's own reload must not show the wizard.
                wizardShownMeanwhile |= rig.state.wizard->isVisible();
            } else {
                settings->cmdCancel->click();
            }
        });
        rig.wizard = Main(rig.state);

        QCOMPARE(modalName, QStringLiteral("frmSettings"));
        QVERIFY(!wizardShownMeanwhile);
        QVERIFY(rig.wizard->isVisible());
        QVERIFY(Centred(*rig.wizard));
        const QString UTDir = confirmed ? rig.gameDir : QString();
        QCOMPARE(rig.state.settings.UTDir, UTDir);
        QCOMPARE(rig.state.settings.TexturesDir, TexturesDirFor(UTDir));
    }

    void reloadLeavesAShownWizardInPlace() {
        StartupRig rig;
        rig.storeFolders(rig.gameDir, rig.gameDir);
        rig.wizard = Main(rig.state);
        QVERIFY(QTest::qWaitForWindowExposed(rig.wizard.get()));
        rig.wizard->move(12, 34);
        QTest::qWait(20);
        const QPoint placed = rig.wizard->pos();

        const QString otherGame = rig.folder.filePath(QStringLiteral("other"));
        rig.storeFolders(otherGame, rig.gameDir);
        GetRegInfo(rig.state);
        QCOMPARE(rig.wizard->pos(), placed);
        QVERIFY(rig.wizard->isVisible());
        QCOMPARE(rig.state.settings.UTDir, otherGame);
        // The textures folder stays the one of the start.
        QCOMPARE(rig.state.settings.TexturesDir, TexturesDirFor(rig.gameDir));
    }

    // The settings window's OK reloads the settings while it is still open;
    // an empty storage folder must not open it a second time.
    void reloadFromTheOpenSettingsWindowAsksNothing() {
        StartupRig rig;
        rig.storeFolders(rig.gameDir, rig.gameDir);
        rig.wizard = Main(rig.state);
        mnuSettings_Click(rig.state);
        QVERIFY(rig.state.settingsWindow && rig.state.settingsWindow->isVisible());
        QVERIFY(!rig.wizard->isEnabled());

        rig.storeFolders(rig.gameDir, QString());
        bool modalSeen = false;
        const ModalWatch watch([&modalSeen](QWidget*) { modalSeen = true; });
        GetRegInfo(rig.state);
        QTest::qWait(50);
        QVERIFY(!modalSeen);
        QVERIFY(rig.state.settings.UTXDir.isEmpty());
        QVERIFY(rig.wizard->isVisible());
    }

    void placementIsStoredForTheWizardOnly_data() {
        QTest::addColumn<bool>("wizardWindow");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<bool>("stored");
        QTest::newRow("wizard") << true << false << true;
        QTest::newRow("wizard after reset") << true << true << false;
        QTest::newRow("another window") << false << false << false;
    }
    void placementIsStoredForTheWizardOnly() {
        QFETCH(bool, wizardWindow);
        QFETCH(bool, reset);
        QFETCH(bool, stored);
        StartupRig rig;
        rig.wizard = std::make_unique<frmWizard>(rig.state);
        rig.state.wizard = rig.wizard.get();
        rig.state.WindowPosReset = reset;
        QWidget other;
        other.setGeometry(20, 20, 100, 100);
        rig.wizard->move(30, 45);
        rig.wizard->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.wizard.get()));

        SaveWindowPos(rig.state, wizardWindow ? static_cast<QWidget*>(rig.wizard.get()) : &other);
        rig.store.sync();
        QCOMPARE(rig.store.childGroups().contains(QStringLiteral("WindowPos")), stored);
        if (!stored)
            return;
        const QRect outer = rig.wizard->frameGeometry();
        const QStringList expected{
            QString::number(outer.top() * 15), QString::number(outer.left() * 15),
            QString::number(outer.width() * 15), QString::number(outer.height() * 15)};
        QStringList values;
        for (const char* key : {"WizTop", "WizLeft", "WizWidth", "WizHeight"})
            values.append(
                rig.store.value(QStringLiteral("WindowPos/") + QLatin1String(key)).toString());
        QCOMPARE(values, expected);
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
