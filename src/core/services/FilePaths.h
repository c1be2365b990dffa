#pragma once

#include <QString>

// True when `path` is a regular file whose length is not zero.
bool FileExists(const QString& path);

// Cuts a path at the first "." of its last component (dropExtension) and/or
// keeps what follows its last "/" or "\" (dropFolder).
QString ShortUTXName(const QString& name, bool dropExtension, bool dropFolder);
