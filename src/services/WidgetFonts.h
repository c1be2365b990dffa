#pragma once

#include <QFont>

// The small type of the program's lists and entry boxes, "Small Fonts"
// 6.75 pt. Linux has no such font; the fallback keeps the size but stays
// legible: it never drops below 9 pixels.
QFont SmallFont(bool bold = false);
