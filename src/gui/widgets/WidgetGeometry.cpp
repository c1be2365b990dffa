#include "widgets/WidgetGeometry.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cmath>

int Px(int twips) {
    return int(std::lround(double(twips) / TwipsPerPixel));
}

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

void ResizeObject(QWidget& control, const QWidget& window, bool fitWidth, bool fitHeight,
                  int verticalAllowance, int horizontalAllowance) {
    const QSize outer = window.frameGeometry().size();
    const QWidget* client = control.parentWidget();
    if (fitWidth) {
        int width = outer.width() - control.x() - horizontalAllowance;
        if (client)
            width = std::min(width, client->width() - control.x());
        if (width < 0)
            return;
        control.resize(width, control.height());
    }
    if (fitHeight) {
        int height = outer.height() - control.y() - verticalAllowance;
        if (client)
            height = std::min(height, client->height() - control.y());
        if (height < 0)
            return;
        control.resize(control.width(), height);
    }
}

QPoint KeptOnScreen(const QRect& outer, const QRect& screen) {
    const auto within = [](int start, int length, int first, int span) {
        return std::max(first, std::min(start, first + span - length));
    };
    return {within(outer.left(), outer.width(), screen.left(), screen.width()),
            within(outer.top(), outer.height(), screen.top(), screen.height())};
}

namespace {

class Fitter : public QObject {
public:
    Fitter(QWidget& control, QWidget& window, int verticalAllowance, int horizontalAllowance)
        : QObject(&window), control_(&control), verticalAllowance_(verticalAllowance),
          horizontalAllowance_(horizontalAllowance) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool changed = event->type() == QEvent::Resize || event->type() == QEvent::Move;
        if (changed && control_)
            ResizeObject(*control_, *static_cast<QWidget*>(watched), true, true, verticalAllowance_,
                         horizontalAllowance_);
        return false;
    }

private:
    QPointer<QWidget> control_;
    int verticalAllowance_;
    int horizontalAllowance_;
};

} // namespace

void KeepFitted(QWidget& control, QWidget& window, int verticalAllowance, int horizontalAllowance) {
    window.installEventFilter(new Fitter(control, window, verticalAllowance, horizontalAllowance));
}
