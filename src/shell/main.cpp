#include "services/ProgramFolder.h"
#include "services/WidgetDialogs.h"
#include "services/clsCdlg.h"
#include "shell/AppState.h"
#include "shell/Startup.h"
#include "shell/frmWizard.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

namespace {

// The folder holding SkinFormats.ini, unreal.flt and tutorial.txt: beside the
// executable when it has them there (a build or unpacked copy), else the
// user's own copy of the installed defaults.
QString ProgramDir() {
    const QString executableDir = QCoreApplication::applicationDirPath();
    return ChooseProgramFolder(
               executableDir,
               InstalledDataDirs(executableDir, QStandardPaths::standardLocations(
                                                    QStandardPaths::GenericDataLocation)),
               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), FolderIsWritable)
        .folder;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Varnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Varnwick"));
    // Only closing the wizard ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    QSettings store;
    WidgetDialogs dialogs;
    clsCdlg cdlg(dialogs);
    AppState state;
    state.programDir = ProgramDir();
    state.store = &store;
    state.dialogs = &dialogs;
    state.cdlg = &cdlg;
    state.endProcess = [] { QCoreApplication::exit(0); };

    const std::unique_ptr<frmWizard> wizard = Main(state);
    dialogs.setOwner(wizard.get());
    return app.exec();
}
