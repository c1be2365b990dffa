#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The data files the program reads and its editors write.
QStringList ProgramDataFiles();

// Where a program installed under a prefix keeps its default data files:
// <prefix>/share/varnwick beside the executable's bin folder, then every XDG
// data folder's "varnwick".
QStringList InstalledDataDirs(const QString& executableDir, const QStringList& xdgDataDirs);

// The outcome of choosing the program's folder.
struct ProgramFolderChoice {
    QString folder;       // where SkinFormats.ini, unreal.flt and tutorial.txt are read and written
    QStringList copied;   // data files copied from the installed defaults this time
    QStringList missing;  // data files neither present nor found among the defaults
    QStringList failures; // "file: reason" for copies that failed
};

// The executable's folder stays the program's folder when it holds the data
// files and can be written (a build folder, an unpacked portable copy).
// Otherwise the per-user data folder is, and any data file missing there is
// copied from the first installed defaults folder that has it. A user's own
// copy is never replaced and the installed defaults are never written.
ProgramFolderChoice ChooseProgramFolder(const QString& executableDir,
                                        const QStringList& installedDirs,
                                        const QString& userDataDir,
                                        const std::function<bool(const QString&)>& isWritable);

// ChooseProgramFolder for the running executable: the installed defaults
// under its prefix and the XDG data folders, the user's copies in
// ~/.local/share/Varnwick.
ProgramFolderChoice ChooseRunningProgramFolder();

// One line per data file that is missing or could not be copied, for the user.
QStringList ProgramFolderProblems(const ProgramFolderChoice& choice);

// Whether the current user may create files in `dir`.
bool FolderIsWritable(const QString& dir);
