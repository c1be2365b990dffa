#include "services/ProgramFolder.h"
#include "services/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

QStringList ProgramDataFiles() {
    return {QLatin1String(SkinFormatsFileName), QLatin1String(FilterFileName),
            QLatin1String(TutorialFileName), QLatin1String(ModelSlotsFileName)};
}

QStringList InstalledDataDirs(const QString& executableDir, const QStringList& xdgDataDirs) {
    QStringList dirs;
    dirs.append(QDir::cleanPath(executableDir + QStringLiteral("/../share/varnwick")));
    for (const QString& dataDir : xdgDataDirs) {
        const QString dir = QDir::cleanPath(dataDir + QStringLiteral("/varnwick"));
        if (!dirs.contains(dir))
            dirs.append(dir);
    }
    return dirs;
}

bool FolderIsWritable(const QString& dir) {
    return ::access(QFile::encodeName(dir).constData(), W_OK) == 0;
}

namespace {

bool HoldsDataFiles(const QString& dir) {
    for (const QString& name : ProgramDataFiles()) {
        if (!QFileInfo(dir + QLatin1Char('/') + name).isFile())
            return false;
    }
    return true;
}

QString FindDefault(const QStringList& installedDirs, const QString& name) {
    for (const QString& dir : installedDirs) {
        const QString path = dir + QLatin1Char('/') + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

// Copies through a temporary name so a crash mid-copy never leaves a
// truncated data file that would later be taken for the user's own.
bool CopyDefault(const QString& source, const QString& target, QString* reason) {
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QFile from(source);
    if (!from.copy(partial)) {
        *reason = from.errorString();
        return false;
    }
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        *reason = QStringLiteral("could not rename %1").arg(partial);
        return false;
    }
    return true;
}

} // namespace

ProgramFolderChoice ChooseProgramFolder(const QString& executableDir,
                                        const QStringList& installedDirs,
                                        const QString& userDataDir,
                                        const std::function<bool(const QString&)>& isWritable) {
    ProgramFolderChoice choice;
    if (HoldsDataFiles(executableDir) && isWritable(executableDir)) {
        choice.folder = executableDir;
        return choice;
    }
    choice.folder = userDataDir;
    if (!QDir().mkpath(userDataDir)) {
        choice.failures.append(
            QStringLiteral("%1: the folder could not be created").arg(userDataDir));
        return choice;
    }
    for (const QString& name : ProgramDataFiles()) {
        const QString target = userDataDir + QLatin1Char('/') + name;
        if (QFileInfo::exists(target))
            continue;
        const QString source = FindDefault(installedDirs, name);
        if (source.isEmpty()) {
            choice.missing.append(name);
            continue;
        }
        QString reason;
        if (CopyDefault(source, target, &reason))
            choice.copied.append(name);
        else
            choice.failures.append(QStringLiteral("%1: %2").arg(target, reason));
    }
    return choice;
}

ProgramFolderChoice ChooseRunningProgramFolder() {
    const QString executableDir = QCoreApplication::applicationDirPath();
    const QStringList dataDirs =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    const QString userDataDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/Varnwick");
    return ChooseProgramFolder(executableDir, InstalledDataDirs(executableDir, dataDirs),
                               userDataDir, FolderIsWritable);
}

QStringList ProgramFolderProblems(const ProgramFolderChoice& choice) {
    QStringList problems = choice.failures;
    for (const QString& name : choice.missing)
        problems.append(QStringLiteral("%1/%2: missing, and no installed default was found")
                            .arg(choice.folder, name));
    return problems;
}
