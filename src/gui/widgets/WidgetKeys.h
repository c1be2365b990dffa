#pragma once

class QWidget;

// Gives every push button and multi-line text box inside `window` the keys a
// desktop user expects of a dialog: Enter and Return press the focused push
// button (a main window's buttons would otherwise take only Space); Tab and
// Shift+Tab leave a multi-line box for the next or previous control, and
// Ctrl+Tab types a tab where a box takes typing. Install once a window's
// controls exist.
void UseDesktopKeys(QWidget& window);

// Gives `control` the keyboard focus and lets the window draw it, as after a
// Tab: a window shows the focus frame only once the keyboard has moved it.
void ShowFocusOn(QWidget* control);
