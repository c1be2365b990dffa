#include "widgets/WidgetFonts.h"

#include <QFontInfo>

QFont SmallFont(bool bold) {
    QFont font(QStringLiteral("Small Fonts"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(6.75);
    font.setBold(bold);
    if (QFontInfo(font).pixelSize() < 9)
        font.setPixelSize(9);
    return font;
}

QFont DesignFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}
