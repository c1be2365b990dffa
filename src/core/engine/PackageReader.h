#pragma once

#include "engine/PackageRecord.h"

#include <QByteArrayView>
#include <QString>

// Reads the name table of the package at `path` into `PackageRead`; on any
// failure returns false and leaves `PackageRead` as it was.
bool ReadUTXFile(const QString& path, PackageRecord& PackageRead);

// The same from bytes already in memory; `path` supplies the file name.
bool ReadUTXBytes(QByteArrayView bytes, const QString& path, PackageRecord& PackageRead);
