#include "engine/PackageReader.h"

#include "package/UnrealPackage.h"
#include "services/FilePaths.h"

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

bool ReadUTXBytes(QByteArrayView data, const QString& path, PackageRecord& PackageRead) {
    return StoreNames(ReadPackageNames(data), path, PackageRead);
}

bool ReadUTXFile(const QString& path, PackageRecord& PackageRead) {
    return FileExists(path) && StoreNames(ReadPackageNames(path), path, PackageRead);
}
