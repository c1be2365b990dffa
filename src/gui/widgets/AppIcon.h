#pragma once

#include <QIcon>

// The program's icon: a checkered texture sheet (the skin) under a gold V on a
// dark blue tile, the same pictures the desktop entry installs.
QIcon MakeAppIcon();
