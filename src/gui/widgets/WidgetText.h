#pragma once

#include <QString>

class QPlainTextEdit;

// The text of a multi-line box as a file holds it: every line break CR LF,
// no-break spaces and every other character kept as typed (Qt's plain-text
// export would turn no-break spaces into blanks).
QString BoxTextWithCrLf(const QPlainTextEdit& box);
