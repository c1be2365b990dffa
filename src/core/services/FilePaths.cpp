#include "services/FilePaths.h"

#include <QFileInfo>

#include <algorithm>

bool FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

QString ShortUTXName(const QString& name, bool dropExtension, bool dropFolder) {
    const qsizetype folderEnd =
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1;
    QString s = name;
    if (dropExtension) {
        const qsizetype dot = s.indexOf(QLatin1Char('.'), folderEnd);
        s = dot < 0 ? QString() : s.left(dot);
    }
    if (dropFolder)
        s = s.mid(std::min(folderEnd, s.size()));
    return s;
}
