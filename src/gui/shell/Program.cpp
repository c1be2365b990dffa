#include "shell/Program.h"

#include "engine/WizardSession.h"
#include "services/ProgramFolder.h"
#include "services/clsCdlg.h"
#include "settings/SettingsFile.h"
#include "shell/AppState.h"
#include "shell/Startup.h"
#include "widgets/WidgetDialogs.h"
#include "wizard/frmWizard.h"

#include <QApplication>
#include <QSettings>
#include <QTimer>

namespace {

// The folder holding SkinFormats.ini, unreal.flt and tutorial.txt; what is
// missing there is told on standard error, and the program carries on.
QString ProgramDir() {
    const ProgramFolderChoice choice = ChooseRunningProgramFolder();
    for (const QString& problem : ProgramFolderProblems(choice))
        qWarning("%s", qUtf8Printable(problem));
    return choice.folder;
}

// Where its settings are kept and which desktop entry its windows belong to.
void NameApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Varnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Varnwick"));
    // Matches the window to its desktop entry (and so to its icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orrenby.Varnwick"));
    // Only closing the wizard ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace

int RunProgram(int& argc, char** argv, const QString& package,
               const std::function<void(frmWizard&)>& started) {
    // The wizard's size counts its own menu bar, so the menus stay in the
    // window rather than move to a desktop-wide one (asking the desktop for
    // one also slows the start).
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    NameApplication();

    const SettingsOpening settings =
        OpenSettingsStore(DefaultSettingsPath(), QDateTime::currentDateTime());
    QSettings& store = *settings.store;
    WidgetDialogs dialogs;
    for (const QString& message : settings.messages)
        dialogs.message(message, QStringLiteral("Settings"), Dialogs::Buttons::Ok);
    clsCdlg cdlg(dialogs);
    AppState state;
    state.programDir = ProgramDir();
    WizardSession session(state.programDir);
    state.store = &store;
    state.dialogs = &dialogs;
    state.cdlg = &cdlg;
    state.endProcess = [] { QCoreApplication::exit(0); };

    const std::unique_ptr<frmWizard> wizard = Main(session, state);
    dialogs.setOwner(wizard.get());
    if (started)
        started(*wizard);
    // Once the event loop runs, so that a message about the file has the
    // wizard on screen behind it.
    if (!package.isEmpty())
        QTimer::singleShot(0, wizard.get(),
                           [w = wizard.get(), package] { w->openPackageFile(package); });
    return app.exec();
}
