#include "widgets/WidgetDialogs.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>

namespace {
// Room for a window manager's icon and buttons beside a title.
constexpr int TitleButtonsAllowance = 120;
constexpr int FileDialogWidth = 760;
constexpr int FileDialogHeight = 460;

// What the box offers, the button Enter presses and the one Escape or the
// window's close button presses.
struct ButtonSet {
    QMessageBox::StandardButtons offered;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

ButtonSet ButtonsFor(Dialogs::Buttons buttons) {
    switch (buttons) {
    case Dialogs::Buttons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case Dialogs::Buttons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case Dialogs::Buttons::Ok:
        break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

Dialogs::Answer AnswerFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Cancel:
        return Dialogs::Answer::Cancel;
    case QMessageBox::Yes:
        return Dialogs::Answer::Yes;
    case QMessageBox::No:
        return Dialogs::Answer::No;
    default:
        return Dialogs::Answer::Ok;
    }
}
} // namespace

Dialogs::Answer WidgetDialogs::message(const QString& text, const QString& title, Buttons buttons) {
    const ButtonSet set = ButtonsFor(buttons);
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? QStringLiteral("Varnwick") : title, text,
                    set.offered, owner_);
    // Paths and typed text are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);
    // A window manager draws the title in its own, often bold and larger,
    // type beside its buttons; the box is made wide enough for both.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    const int titleWidth =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleButtonsAllowance;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    return AnswerFor(pressed == QMessageBox::NoButton ? set.escapeButton : pressed);
}

std::optional<QString> WidgetDialogs::chooseFile(const FileRequest& request) {
    QFileDialog dialog(owner_, QString(), request.initialDir, request.filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // A typed name of a file that does not exist is accepted; the caller
    // decides what to make of it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The save step asks about replacing a file itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    // Wide and tall enough for the name, size, type and date columns, as far
    // as the screen allows.
    const QRect screen =
        owner_ ? owner_->screen()->availableGeometry() : dialog.screen()->availableGeometry();
    dialog.resize(QSize(FileDialogWidth, FileDialogHeight).boundedTo(screen.size() * 9 / 10));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}
