#include "services/clsCdlg.h"

#include "services/SafeFile.h"

#include <QFileInfo>

namespace {
constexpr qint32 DefaultMaxFileSize = 255;

// A file bigger than this is no package; reading it whole would only exhaust
// memory.
constexpr qint64 MaxLoadedFileSize = qint64(512) * 1024 * 1024;

QString AfterLastSeparator(const QString& path) {
    const qsizetype cut =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

// The file's bytes followed by one zero byte, or nothing when the file cannot
// be read completely. Only regular files are read: a pipe would never end.
std::optional<QByteArray> LoadFile(const QString& path) {
    if (QFileInfo(path).size() > MaxLoadedFileSize)
        return std::nullopt;
    std::optional<QByteArray> bytes = ReadWholeFile(path);
    if (bytes)
        bytes->append('\0');
    return bytes;
}

// "*.*" means every file on Windows; Qt writes it "*". Several patterns are
// separated by ";" there and by blanks in Qt.
QString QtPatterns(const QString& patterns) {
    QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : list) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    }
    return list.join(QLatin1Char(' '));
}
} // namespace

QString QtFileFilter(const QString& filter) {
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString patterns = i + 1 < parts.size() ? QtPatterns(parts[i + 1]) : QString();
        filters.append(QStringLiteral("%1 (%2)").arg(parts[i], patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

void clsCdlg::ShowOpen() {
    show(false);
}

void clsCdlg::ShowSave() {
    show(true);
}

void clsCdlg::show(bool save) {
    if (maxFileSize_ < 1)
        maxFileSize_ = DefaultMaxFileSize;
    // The proposed name must fit the dialog's name buffer with its terminator;
    // a name that does not is not shown and nothing changes.
    if (save && fileName_.size() >= maxFileSize_)
        return;

    Dialogs::FileRequest request;
    request.save = save;
    request.initialDir = initDir_;
    request.filter = QtFileFilter(filter_);
    if (save)
        request.fileName = fileName_;

    const std::optional<QString> chosen = dialogs_.chooseFile(request);
    if (!chosen || chosen->isEmpty()) {
        cancelError_ = true;
        return;
    }
    fileName_ = *chosen;
    fileNameShort_ = AfterLastSeparator(fileName_);
    cancelError_ = false;
    if (!save) {
        if (std::optional<QByteArray> bytes = LoadFile(fileName_))
            fileBytes_ = std::move(*bytes);
    }
}
