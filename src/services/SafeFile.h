#pragma once

#include <QByteArray>
#include <QString>

// Replaces (or creates) the file at `path` with exactly `bytes`. The new
// contents appear only once every byte is on disk; on any failure the old file
// is left as it was and `error` (when given) says what failed and where.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
