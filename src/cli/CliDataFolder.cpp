#include "cli/CliDataFolder.h"

#include "cli/CliConsole.h"
#include "services/ProgramFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString DefaultDataFolder() {
    const QString executableDir = QCoreApplication::applicationDirPath();
    const ProgramFolderChoice choice = ChooseProgramFolder(
        executableDir,
        InstalledDataDirs(executableDir,
                          QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), FolderIsWritable);
    for (const QString& failure : choice.failures)
        ReportWarning(failure);
    return choice.folder;
}
