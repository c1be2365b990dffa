#include "settings/GameFolders.h"

#include <QDir>

namespace {
bool IsSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

QString WithoutTrailingSeparators(QString path) {
    while (!path.isEmpty() && IsSeparator(path.back()))
        path.chop(1);
    return path;
}

// The spelling on disk of `name` inside `folder`: the exact spelling when it
// exists, else the first folder (in name order) equal to it ignoring case.
QString SpellingOnDisk(const QString& folder, const QString& name) {
    const QStringList entries =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    if (entries.contains(name))
        return name;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}
} // namespace

QString GameSubfolder(const QString& UTDir, const QString& name) {
    const QString base = WithoutTrailingSeparators(UTDir);
    // An empty base stands for the root folder, never for the current one.
    const QString folder = base.isEmpty() ? QStringLiteral("/") : base;
    return base + QLatin1Char('/') + SpellingOnDisk(folder, name);
}

QString TexturesDirFor(const QString& UTDir) {
    return GameSubfolder(UTDir, QStringLiteral("Textures")) + QLatin1Char('/');
}
