#pragma once

#include "engine/PackageRecord.h"

#include <QByteArrayView>
#include <QString>

// True when the file's length can be obtained and is not zero.
bool FileExists(const QString& path);

// Cuts a path at the first "." of its last component (dropExtension) and/or
// keeps what follows its last "/" or "\" (dropFolder).
QString ShortUTXName(const QString& name, bool dropExtension, bool dropFolder);

// Reads the name table of the package at `path` into `PackageRead`; on any
// failure returns false and leaves `PackageRead` as it was.
bool ReadUTXFile(const QString& path, PackageRecord& PackageRead);

// The same from bytes already in memory; `path` supplies the file name.
bool ReadUTXBytes(QByteArrayView bytes, const QString& path, PackageRecord& PackageRead);
