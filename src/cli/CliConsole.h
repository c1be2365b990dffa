#pragma once

#include <QByteArray>
#include <QString>

// Messages for the user go to standard error, each line starting with the
// program's name, in the terminal's encoding.
void ReportError(const QString& text);
void ReportWarning(const QString& text);

// Text meant for reading (help, names, types) in the terminal's encoding.
QByteArray ForTerminal(const QString& text);

// Writes `bytes` to standard output unchanged; false with `error` set when
// they could not all be written (a closed pipe, a full disk).
bool WriteStandardOutput(const QByteArray& bytes, QString* error);
