#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// A texture's picture over a checker board, or a message in its place. At
// zoom 0 the picture fits the widget; at 1 and 2 each texel is one or two
// pixels square, enlarged without smoothing.
class TextureView : public QWidget {
    Q_OBJECT

public:
    explicit TextureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void setMessage(const QString& message);
    void setZoom(int zoom);

    const QImage& picture() const { return picture_; }
    const QString& message() const { return message_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect pictureRect() const;

    QImage picture_;
    QString message_;
    int zoom_ = 0;
};
