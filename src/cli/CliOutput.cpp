#include "cli/CliOutput.h"

#include "cli/CliConsole.h"
#include "engine/PackageReader.h"
#include "services/SafeFile.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace

CliStatus CliOutput::toStandardOutput(const QByteArray& bytes, QString* error) {
    return WriteStandardOutput(bytes, error) ? CliStatus::Done : CliStatus::NotWritten;
}

CliStatus CliOutput::toFile(const QString& target, const QString& package, const QByteArray& bytes,
                            QString* error) {
    const QString identity = Identity(target);
    if (identity == Identity(package))
        return Fail(error, QStringLiteral("%1: this is the package itself; it is not replaced by "
                                          "its .int text.")
                               .arg(target));
    if (const auto earlier = written_.constFind(identity); earlier != written_.cend())
        return Fail(error, QStringLiteral("%1: already written for %2 in this run; the text for "
                                          "%3 is not written over it.")
                               .arg(target, *earlier, package));
    // An empty file holds nothing to lose, as in the wizard's save.
    if (!force_ && FileExists(target))
        return Fail(error, QStringLiteral("%1: the file exists already and is left alone; pass "
                                          "--force to replace it.")
                               .arg(target));
    if (!WriteFileAtomically(target, bytes, error))
        return CliStatus::NotWritten;
    written_.insert(Identity(target), package);
    return CliStatus::Done;
}

QString IntFileIn(const QString& dir, const QString& package) {
    const QString shortName = ShortUTXName(package, true, true);
    if (shortName.isEmpty())
        return {};
    return QDir(dir).filePath(shortName + QStringLiteral(".int"));
}
