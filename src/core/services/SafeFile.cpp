#include "services/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Could not write %1: %2").arg(path, reason);
        return false;
    };
    const QFileInfo target(path);
    if (target.isDir())
        return fail(QStringLiteral("a folder of that name is in the way."));
    // A device or pipe would be replaced by a regular file, not written to.
    if (target.exists() && !target.isFile())
        return fail(QStringLiteral("it is not a regular file."));
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows at once: a failed
    // flush of Qt's buffer would not stop the commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

std::optional<QByteArray> ReadWholeFile(const QString& path, QString* error) {
    auto fail = [&](const QString& reason) -> std::optional<QByteArray> {
        if (error)
            *error = QStringLiteral("Could not read %1: %2").arg(path, reason);
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("there is no such file."));
    if (!info.isFile())
        return fail(QStringLiteral("it is not a regular file."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    return bytes;
}
