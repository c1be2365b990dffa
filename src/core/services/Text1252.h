#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The game's files and the program's data files are single-byte Windows-1252
// text. All 256 byte values map to a character and back, so a file read and
// written again is byte-for-byte the same.
QString FromWindows1252(QByteArrayView bytes);

// The Windows-1252 bytes of `text`, or nothing when a character has no byte in
// that code page (a silent '?' would corrupt the user's file).
std::optional<QByteArray> ToWindows1252(QStringView text);

// The first character of `text` that Windows-1252 cannot hold, for messages;
// empty when every character fits.
QString FirstUnencodableCharacter(QStringView text);
