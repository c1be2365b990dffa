#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Replaces (or creates) the file at `path` with exactly `bytes`. The new
// contents appear only once every byte is on disk; on any failure the old file
// is left as it was and `error` (when given) says what failed and where.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The whole contents of the regular file at `path`, or nothing with `error`
// (when given) saying "Could not read <path>: <reason>". Devices and pipes
// are refused: reading one might never end.
std::optional<QByteArray> ReadWholeFile(const QString& path, QString* error = nullptr);
