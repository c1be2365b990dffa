#pragma once

#include "services/Dialogs.h"

#include <QPointer>
#include <QWidget>

// The program's message boxes and file dialogs: QMessageBox without an icon
// and Qt's own (non-native) file dialog, modal to the owner window.
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(QWidget* owner = nullptr) : owner_(owner) {}

    void setOwner(QWidget* owner) { owner_ = owner; }

    Answer message(const QString& text, const QString& title, Buttons buttons) override;
    std::optional<QString> chooseFile(const FileRequest& request) override;

private:
    QPointer<QWidget> owner_;
};
