#pragma once

#include "catalogue/SkinCatalogue.h"

#include <QByteArrayView>
#include <QStringList>

// Synthetic .utx packages: the 44-byte header with the name count and the
// table's offset, padding up to the table, and the entries, each ending in a
// terminator and the flags 10 00 07 00 that real packages carry.
QByteArray Utx64Entry(QByteArrayView name);      // length-prefixed, table at offset 64
QByteArray Utx60Entry(QByteArrayView name);      // found by scanning, table at offset 60
QByteArray BuildUtx64(const QStringList& names); // names stored as Windows-1252
QByteArray BuildUtx60(const QStringList& names);
QByteArray BuildUtx(qint32 nameCount, qint32 tableOffset, QByteArrayView table);

// A SkinFormats.ini record: the key line, the five values and the blank line after them.
QByteArray SkinRecord(const SkinFormat& skin);

bool WriteBytes(const QString& path, QByteArrayView bytes); // false when that failed
