#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Synthetic .utx packages: the 44-byte header with its name count and
// name-table offset, padding up to the table, and the name entries in either
// layout. The pieces are public so tests can assemble malformed packages.

// The four flag bytes written after each name's terminator. 10 00 07 00 is
// what real packages carry and what the scanning layout's end marker needs.
QByteArray DefaultNameFlags();

// The package format's compact index encoding of `value` (1 to 5 bytes).
QByteArray CompactIndex(qint32 value);

// A header naming `nameCount` entries at `tableOffset`, padded with zero bytes
// up to `tableOffset` when that lies beyond the header.
QByteArray UtxHeader(qint32 nameCount, qint32 tableOffset);

// One length-prefixed entry (table offset 64): compact-index length counting
// the terminator, the name bytes, 0, the flags.
QByteArray Utx64Entry(QByteArrayView name, QByteArrayView flags = DefaultNameFlags());

// One terminator-scanned entry (table offset 60): the name bytes, 0, the flags.
QByteArray Utx60Entry(QByteArrayView name, QByteArrayView flags = DefaultNameFlags());

// Whole packages holding `names` (Windows-1252 text) in each layout.
QByteArray BuildUtx64(const QStringList& names);
QByteArray BuildUtx60(const QStringList& names);

// A package of a header and raw table bytes, for cases no valid package has.
QByteArray BuildUtx(qint32 nameCount, qint32 tableOffset, QByteArrayView table);

// Writes `bytes` to a new or replaced file; false when that failed.
bool WriteBytes(const QString& path, QByteArrayView bytes);
