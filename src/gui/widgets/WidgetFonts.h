#pragma once

#include <QFont>

// The small type of the program's lists and entry boxes, "Small Fonts"
// 6.75 pt. Linux has no such font; the fallback keeps the size but stays
// legible: it never drops below 9 pixels.
QFont SmallFont(bool bold = false);

// The windows' own type, "MS Sans Serif" 8.25 pt, what their controls were
// laid out for. Linux lacks it; the sans-serif fallback at this size still
// fits every caption in its control, where a larger desktop font would not.
QFont DesignFont();
