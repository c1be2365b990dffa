#include "preview/TextureView.h"

#include <QPainter>

namespace {

void PaintChecker(QPainter& painter, const QRect& area) {
    constexpr int Square = 8;
    painter.fillRect(area, QColor(0xCC, 0xCC, 0xCC));
    for (int y = area.top(); y <= area.bottom(); y += Square)
        for (int x = area.left() + ((y - area.top()) / Square % 2) * Square; x <= area.right();
             x += 2 * Square)
            painter.fillRect(QRect(x, y, Square, Square).intersected(area), Qt::white);
}

} // namespace

TextureView::TextureView(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
}

void TextureView::setPicture(const QImage& picture) {
    picture_ = picture;
    message_.clear();
    updateGeometry();
    update();
}

void TextureView::setMessage(const QString& message) {
    picture_ = QImage();
    message_ = message;
    updateGeometry();
    update();
}

void TextureView::setZoom(int zoom) {
    zoom_ = zoom;
    updateGeometry();
    update();
}

QSize TextureView::sizeHint() const {
    if (zoom_ == 0 || picture_.isNull())
        return {256, 256};
    return picture_.size() * zoom_;
}

QRect TextureView::pictureRect() const {
    const QSize size = zoom_ == 0 ? picture_.size().scaled(this->size(), Qt::KeepAspectRatio)
                                  : picture_.size() * zoom_;
    QRect place(QPoint(), size);
    place.moveCenter(rect().center());
    return place;
}

void TextureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.setPen(palette().color(QPalette::BrightText));
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                         message_);
        return;
    }
    const QRect place = pictureRect();
    PaintChecker(painter, place);
    // Enlarged texels stay square; only a reduction is smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, place.width() < picture_.width());
    painter.drawImage(place, picture_);
}
