#include "services/clsCdlg.h"

#include <QStringList>

namespace {
// The longest name a file dialog takes, its terminator included.
constexpr qsizetype MaxFileSize = 255;

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
    if (save && fileName_.size() >= MaxFileSize)
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
    cancelError_ = false;
}
