#include "widgets/WidgetKeys.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

bool IsEnter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

bool IsCtrlTab(const QKeyEvent& key) {
    return key.key() == Qt::Key_Tab && key.modifiers() == Qt::ControlModifier;
}

class DesktopKeys : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool shortcut = event->type() == QEvent::ShortcutOverride;
        if (event->type() != QEvent::KeyPress && !shortcut)
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (auto* button = qobject_cast<QPushButton*>(watched); button && IsEnter(key)) {
            // Taken before a shortcut or a dialog's default button sees it.
            if (!shortcut)
                button->click();
            event->accept();
            return !shortcut;
        }
        if (auto* box = qobject_cast<QPlainTextEdit*>(watched); box && IsCtrlTab(key)) {
            if (shortcut) { // no window-wide shortcut takes it from the box
                event->accept();
                return false;
            }
            if (!box->isReadOnly())
                box->insertPlainText(QStringLiteral("\t"));
            return true;
        }
        return false;
    }
};

} // namespace

void UseDesktopKeys(QWidget& window) {
    auto* keys = new DesktopKeys(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->installEventFilter(keys);
    for (QPlainTextEdit* box : window.findChildren<QPlainTextEdit*>()) {
        // A .int or catalogue never wants a tab; Tab moves on as in a dialog.
        box->setTabChangesFocus(true);
        box->installEventFilter(keys);
    }
}

void ShowFocusOn(QWidget* control) {
    if (!control)
        return;
    control->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    control->setFocus(Qt::OtherFocusReason);
}
