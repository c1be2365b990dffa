// Builds the shipped unreal.flt from its text list at build time, with the
// program's own filter file writer, so the file in the package is always
// exactly what the list says.
//
// Usage: mkfilter LIST OUTPUT
// LIST is UTF-8 text, one entry per line; empty lines and lines starting with
// "#" are ignored. Duplicate entries are refused: they would only slow the
// filter down and usually mean a mistake in the list.

#include "engine/FilterList.h"
#include "services/SafeFile.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace {

void Complain(const QString& text) {
    std::fprintf(stderr, "mkfilter: %s\n", qUtf8Printable(text));
}

std::optional<QStringList> ReadList(const QString& path) {
    QString error;
    const std::optional<QByteArray> text = ReadWholeFile(path, &error);
    if (!text) {
        Complain(error);
        return std::nullopt;
    }
    const QStringList lines = QString::fromUtf8(*text).split(QLatin1Char('\n'));
    QStringList entries;
    QSet<QString> seen;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString entry = lines[i].trimmed();
        if (entry.isEmpty() || entry.startsWith(QLatin1Char('#')))
            continue;
        if (seen.contains(entry.toLower())) {
            Complain(
                QStringLiteral("%1:%2: \"%3\" is listed twice").arg(path).arg(i + 1).arg(entry));
            return std::nullopt;
        }
        seen.insert(entry.toLower());
        entries.append(entry);
    }
    if (entries.isEmpty()) {
        Complain(QStringLiteral("%1: the list holds no entries").arg(path));
        return std::nullopt;
    }
    return entries;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        Complain(QStringLiteral("usage: mkfilter LIST OUTPUT"));
        return 1;
    }
    const QString listPath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);
    const std::optional<QStringList> entries = ReadList(listPath);
    if (!entries)
        return 1;
    QString error;
    const std::optional<QByteArray> bytes = EncodeFilterFile(*entries, &error);
    if (!bytes) {
        Complain(QStringLiteral("%1: %2").arg(listPath, error));
        return 1;
    }
    if (!WriteFileAtomically(outputPath, *bytes, &error)) {
        Complain(error);
        return 1;
    }
    return 0;
}
