#include "CliOutput.h"

#include "CliConsole.h"
#include "services/FilePaths.h"
#include "services/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

CliStatus Fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return CliStatus::NotWritten;
}

// One spelling per file, so two names for the same file are caught.
QString Identity(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// A device or a pipe (/dev/null, /dev/stdout, a FIFO) is written to, never
// replaced: replacing it atomically would put a regular file in its place.
bool IsSpecialFile(const QString& path) {
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
           !S_ISDIR(info.st_mode);
}

} // namespace

CliStatus CliOutput::toStandardOutput(const QByteArray& bytes, QString* error) {
    return WriteStandardOutput(bytes, error) ? CliStatus::Done : CliStatus::NotWritten;
}

CliStatus CliOutput::toFile(const QString& target, const QString& package, const QByteArray& bytes,
                            QString* error) {
    if (IsSpecialFile(target))
        return WriteIntoDevice(target, bytes, error) ? CliStatus::Done : CliStatus::NotWritten;
    const QString identity = Identity(target);
    if (identity == Identity(package))
        return Fail(error, QStringLiteral("%1: this is the package itself; it is not replaced by "
                                          "its .int text.")
                               .arg(target));
    if (const auto earlier = written_.constFind(identity); earlier != written_.cend())
        return Fail(error, QStringLiteral("%1: already written for %2 in this run; the text for "
                                          "%3 is not written over it.")
                               .arg(target, *earlier, package));
    if (force_) {
        if (!WriteFileAtomically(target, bytes, error))
            return CliStatus::NotWritten;
    } else {
        // An empty file holds nothing to lose, as in the wizard's save. Whether
        // another is there is decided as the file is put in place, so two runs
        // started together cannot both write it.
        switch (WriteNewFileAtomically(target, bytes, error)) {
        case NewFileOutcome::Exists:
            return Fail(error, QStringLiteral("%1: the file exists already and is left alone; "
                                              "pass --force to replace it.")
                                   .arg(target));
        case NewFileOutcome::Failed:
            return CliStatus::NotWritten;
        case NewFileOutcome::Written:
            break;
        }
    }
    written_.insert(Identity(target), package);
    return CliStatus::Done;
}

QString IntFileIn(const QString& dir, const QString& package) {
    const QString shortName = ShortUTXName(package, true, true);
    if (shortName.isEmpty())
        return {};
    return QDir(dir).filePath(shortName + QStringLiteral(".int"));
}
