#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a checkered texture sheet (the skin) under a gold V on a
// dark blue tile, the same picture the desktop entry shows. Drawn rather than
// loaded, so every size is sharp and nothing has to be found at run time.
QImage DrawAppIcon(int size);

// The icon, drawn sharp at whatever size is asked for (16 to 256 pixels and
// beyond).
QIcon MakeAppIcon();
