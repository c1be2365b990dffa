#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Window and control lengths are kept in twips, 15 to the device-independent
// pixel; Qt scales pixels for high-DPI screens.
inline constexpr int TwipsPerPixel = 15;

// A length in twips as pixels, rounded to the nearest.
int Px(int twips);

// A left, top, width, height rectangle given in twips, as pixels.
QRect TwipsRect(int left, int top, int width, int height);

// `control` with the name that finds it and its place, in pixels.
template <typename Control>
Control* Named(Control* control, const QString& name, const QRect& place) {
    control->setObjectName(name);
    control->setGeometry(place);
    return control;
}

// Stretches `control` towards the outer size of `window`: its width becomes
// the window's outer width less the control's left and `horizontalAllowance`
// pixels, its height the outer height less its top and `verticalAllowance`
// pixels. The allowances make room for the frame, caption and menu bar; a
// frame thicker than that never pushes the control past its parent's edge. A
// length that would come out negative ends the routine: a dimension already
// set stays set, the other keeps its previous value.
void ResizeObject(QWidget& control, const QWidget& window, bool fitWidth, bool fitHeight,
                  int verticalAllowance, int horizontalAllowance);

// Where a window whose outer rectangle is `outer` goes so that it lies on
// `screen`: its own top-left where it already does, else moved in by as little
// as needed; a window larger than the screen meets its left and top edges.
QPoint KeptOnScreen(const QRect& outer, const QRect& screen);

// Applies ResizeObject to `control` in both dimensions whenever `window` is
// resized, and when it moves: a window manager reports the frame of a window
// only once it is on screen, by moving it.
void KeepFitted(QWidget& control, QWidget& window, int verticalAllowance, int horizontalAllowance);
