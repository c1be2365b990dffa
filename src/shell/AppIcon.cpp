#include "shell/AppIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The picture is laid out on a 256-unit square and scaled to the wanted size.
constexpr qreal Design = 256.0;

const QColor Tile(0x1c, 0x2f, 0x5e);
const QColor Ink(0x0d, 0x17, 0x30);
const QColor Red(0xc9, 0x47, 0x2f);
const QColor Cream(0xe8, 0xdc, 0xc0);
const QColor Gold(0xf2, 0xb6, 0x32);

void DrawSheet(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Tile);
    painter.drawRoundedRect(QRectF(16, 16, 224, 224), 36, 36);

    // Two by two squares of a skin's texture sheet.
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            painter.setBrush((row + column) % 2 == 0 ? Red : Cream);
            painter.drawRect(QRectF(40 + 88 * column, 40 + 88 * row, 88, 88));
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Ink, 6));
    painter.drawRect(QRectF(40, 40, 176, 176));
}

void DrawV(QPainter& painter) {
    QPainterPath v;
    v.moveTo(58, 70);
    v.lineTo(104, 70);
    v.lineTo(128, 150);
    v.lineTo(152, 70);
    v.lineTo(198, 70);
    v.lineTo(146, 206);
    v.lineTo(110, 206);
    v.closeSubpath();
    painter.setPen(QPen(Ink, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Gold);
    painter.drawPath(v);
}

} // namespace

QImage DrawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / Design, size / Design);
    DrawSheet(painter);
    DrawV(painter);
    return image;
}

namespace {

// Draws each size only when it is asked for: most windows never show their
// icon, and a window manager asks for a few small sizes.
class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const int side = qMin(rect.width(), rect.height());
        if (side > 0)
            painter->drawImage(QRect(rect.topLeft(), QSize(side, side)), DrawAppIcon(side));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        return side > 0 ? QPixmap::fromImage(DrawAppIcon(side)) : QPixmap();
    }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new AppIconEngine; }
    QString key() const override { return QStringLiteral("VarnwickAppIcon"); }
};

} // namespace

QIcon MakeAppIcon() {
    return QIcon(new AppIconEngine);
}
