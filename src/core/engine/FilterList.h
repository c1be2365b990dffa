#pragma once

#include "engine/PackageRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

class Dialogs;

// The entries of an unreal.flt file, decoded and lower-cased, in file order.
QStringList DecodeFilterFile(QByteArrayView bytes);

// Why `bytes` cannot be a filter list, from their shape (the format itself
// cannot tell garbage from a list): larger than any list, ending inside an
// entry, holding no entry, or an entry with control characters. Empty when
// they can be one.
QString FilterFileDamage(QByteArrayView bytes);

// For the user: why programDir/fileName cannot be used (unreadable or
// damaged), naming the file and how to get the shipped list back. Empty when
// it can be used or is missing or empty.
QString FilterListProblem(const QString& programDir, const QString& fileName);

// The unreal.flt bytes for `entries` (no case change), or nothing with
// `error` set when an entry cannot be stored (empty, too long, a control
// character or one outside Windows-1252) or the list is too long.
std::optional<QByteArray> EncodeFilterFile(const QStringList& entries, QString* error = nullptr);

// Loads programDir/fileName into `FilterList` (entries plus one empty last
// slot); a missing, empty, unreadable or damaged file leaves it unchanged. When `target` is given,
// every entry but the last slot is appended to it.
void ReadFilter(QStringList* target, const QString& programDir, const QString& fileName,
                QStringList& FilterList);

// Writes `source` to programDir/fileName after asking "Are you sure you" /
// "want to overwrite?", backing the old file up to oldunreal.flt first.
// Nothing happens for an empty source or a missing file; a damaged old file is
// not backed up. Returns false with
// `error` set when the entries cannot be stored or the write failed (the old
// file is then still whole); an empty `error` means nothing went wrong.
bool WriteFilter(const QStringList& source, const QString& programDir, const QString& fileName,
                 Dialogs& dialogs, QString* error = nullptr);

// Builds `PackageItems` from `PackageRead` without the names that contain a
// filter entry or the package's short name; returns the number kept.
qint32 filteritems(const QString& path, const QString& programDir, QStringList& FilterList,
                   const PackageRecord& PackageRead, PackageRecord& PackageItems);
