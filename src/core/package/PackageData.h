#pragma once

#include "package/UnrealPackage.h"

#include <QFile>

// What an opened package holds: the file's bytes (mapped, or owned when they
// came from memory) and its checked tables.
struct UnrealPackage::Data {
    QFile file;
    QByteArray owned;
    QByteArrayView bytes;
    QString packageName;
    PackageNameTable table;
    QList<PackageImport> imports;
    QList<PackageExport> exports;
};
