#include "CliDataFolder.h"

#include "CliConsole.h"
#include "services/ProgramFolder.h"

QString DefaultDataFolder() {
    const ProgramFolderChoice choice = ChooseRunningProgramFolder();
    for (const QString& problem : ProgramFolderProblems(choice))
        ReportWarning(problem);
    return choice.folder;
}
