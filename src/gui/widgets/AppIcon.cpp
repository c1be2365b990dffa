#include "widgets/AppIcon.h"

QIcon MakeAppIcon() {
    QIcon icon;
    // The sizes the desktop entry installs, built into the program; each is
    // read only when a window asks for it.
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/org.orrenby.Varnwick.png").arg(size),
                     QSize(size, size));
    return icon;
}
