#include "settings/SettingsFile.h"

#include "services/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace {

// Far larger than any settings file the program writes (a few hundred bytes).
constexpr qint64 LargestSettingsFile = 1024 * 1024;

// A path that no file can ever have: a store there reads nothing and stores
// nothing, and keeps what it is given in memory.
const QString NowhereToStore = QStringLiteral("/dev/null/Varnwick.conf");
constexpr char StoredAt[] = "varnwickSettingsFile";

bool IsSettingsLine(QByteArrayView line) {
    const QByteArrayView text = line.trimmed();
    return text.isEmpty() || text.startsWith(';') || text.startsWith('#') ||
           (text.startsWith('[') && text.endsWith(']')) || text.contains('=');
}

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
}

QString MemoryOnly(const QString& path, const QString& why) {
    return QStringLiteral("Settings cannot be stored in %1: %2 Varnwick goes on with the "
                          "settings of this run only.")
        .arg(path, why);
}

// Moves the file at `path` aside; the message for the user.
QString MoveAside(const QString& path, const QString& why, const QDateTime& now, bool& moved) {
    const QString aside =
        path + QStringLiteral(".bad-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    moved = QFile::rename(path, aside);
    if (!moved)
        return MemoryOnly(path, QStringLiteral("it %1 and could not be moved aside.").arg(why));
    return QStringLiteral("The settings file %1 %2; it was moved aside to %3, and Varnwick starts "
                          "with its default settings.")
        .arg(path, why, aside);
}

} // namespace

QString SettingsFilePath(const QSettings& store) {
    const QVariant path = store.property(StoredAt);
    return path.isValid() ? path.toString() : store.fileName();
}

QString DefaultSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Varnwick/Varnwick.conf");
}

QString SettingsFileDamage(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8(bytes);
    if (utf8.hasError())
        return QStringLiteral("is not text");
    if (std::any_of(bytes.begin(), bytes.end(), IsControl))
        return QStringLiteral("holds control characters");
    qsizetype lineNumber = 1;
    for (qsizetype start = 0; start < bytes.size(); ++lineNumber) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end;
        if (!IsSettingsLine(bytes.sliced(start, end - start)))
            return QStringLiteral("has a line %1 that is no setting").arg(lineNumber);
        start = end + 1;
    }
    return {};
}

SettingsOpening OpenSettingsStore(const QString& path, const QDateTime& now) {
    QString message;
    bool usable = true;
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        // Nothing there yet: the first setting stored creates the file.
        usable = errno == ENOENT;
        if (!usable)
            message = MemoryOnly(path, FileErrorReason(errno));
    } else if (const QString problem = RegularFileProblem(path); !problem.isEmpty()) {
        usable = false;
        message = MemoryOnly(path, problem);
    } else if (info.st_size > LargestSettingsFile) {
        // Not even read: a file this size would only hold up the start.
        message =
            MoveAside(path, QStringLiteral("is far larger than any settings file"), now, usable);
    } else if (const QString damage = SettingsFileDamage(ReadWholeFile(path).value_or(""));
               !damage.isEmpty()) {
        message = MoveAside(path, damage, now, usable);
    }
    SettingsOpening opening;
    opening.store =
        std::make_unique<QSettings>(usable ? path : NowhereToStore, QSettings::IniFormat);
    opening.store->setProperty(StoredAt, path);
    if (!message.isEmpty())
        opening.messages.append(message);
    return opening;
}
