#include "engine/PackageReader.h"

#include "package/UnrealPackage.h"

#include <QFileInfo>
#include <algorithm>

namespace {

QString FileNameOf(const QString& path) {
    return ShortUTXName(path, false, true);
}

// Stores the names, lower-cased, once the file's name shows a package name.
bool StoreNames(const PackageResult<PackageNameTable>& table, const QString& path,
                PackageRecord& PackageRead) {
    const QString fileName = FileNameOf(path);
    if (!table || fileName.size() < 4)
        return false;
    QStringList names;
    names.reserve(table->names.size());
    for (const PackageName& name : table->names)
        names.append(name.text.toLower());
    PackageRead.FileName = fileName;
    PackageRead.PackageName = fileName.chopped(4);
    PackageRead.NameCount = qint32(names.size());
    PackageRead.Names = std::move(names);
    return true;
}

} // namespace

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

bool ReadUTXBytes(QByteArrayView data, const QString& path, PackageRecord& PackageRead) {
    return StoreNames(ReadPackageNames(data), path, PackageRead);
}

bool ReadUTXFile(const QString& path, PackageRecord& PackageRead) {
    return FileExists(path) && StoreNames(ReadPackageNames(path), path, PackageRead);
}
