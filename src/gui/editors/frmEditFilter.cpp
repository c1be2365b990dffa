#include "editors/frmEditFilter.h"

#include "engine/FilterList.h"
#include "services/Dialogs.h"
#include "shell/AppState.h"
#include "widgets/WidgetFonts.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString FilterFile = QStringLiteral("unreal.flt");

} // namespace

frmEditFilter::frmEditFilter(AppState& state, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state) {
    setObjectName(QStringLiteral("frmEditFilter"));
    setWindowTitle(QStringLiteral("Filter Edit Menu"));
    setFixedSize(Px(1800), Px(3570));
    // Laid out for the design type; a larger desktop font would not fit.
    setFont(DesignFont());

    Label1 = new QLabel(QStringLiteral("Filter Count = 0"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(60, 0, 2025, 225));
    Label1->setFont(SmallFont(true));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(TwipsRect(30, 180, 1725, 2535));
    List1->setFont(SmallFont());
    List1->setAccessibleName(QStringLiteral("Filter list"));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsRect(30, 2730, 1725, 255));
    Text1->setFont(SmallFont());
    Text1->setAccessibleName(QStringLiteral("New filter entry"));

    Command1 = new QPushButton(QStringLiteral("Get Filter List"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(60, 3030, 1695, 225));
    Command2 = new QPushButton(QStringLiteral("Write Filter List"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(TwipsRect(60, 3300, 1695, 225));
    // Enter belongs to Text1: it adds an entry and must press no button.
    for (QPushButton* button : {Command1, Command2})
        button->setAutoDefault(false);

    setTabOrder(List1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, &frmEditFilter::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmEditFilter::Command2_Click);
    connect(Text1, &QLineEdit::returnPressed, this, &frmEditFilter::Text1_Enter);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmEditFilter::List1_DblClick);
    UseDesktopKeys(*this);

    Command1_Click();
}

QStringList frmEditFilter::entries() const {
    QStringList list;
    for (int i = 0; i < List1->count(); ++i)
        list.append(List1->item(i)->text());
    return list;
}

void frmEditFilter::refreshCount() {
    Label1->setText(QStringLiteral("Filter Count = %1").arg(List1->count()));
}

void frmEditFilter::Command1_Click() {
    List1->clear();
    QStringList fromFile, loaded;
    ReadFilter(&fromFile, state_.programDir, FilterFile, loaded);
    List1->addItems(fromFile);
    refreshCount();
}

// A write that fails keeps the window and its list, so nothing typed is lost;
// the file itself is left as it was.
void frmEditFilter::Command2_Click() {
    if (List1->count() == 0)
        return;
    QString error;
    WriteFilter(entries(), state_.programDir, FilterFile, *state_.dialogs, &error);
    refreshCount();
    if (!error.isEmpty()) {
        state_.dialogs->message(error, QStringLiteral("File Operations"), Dialogs::Buttons::Ok);
        return;
    }
    accept();
}

void frmEditFilter::Text1_Enter() {
    List1->addItem(Text1->text().trimmed());
    Text1->selectAll();
    refreshCount();
}

void frmEditFilter::List1_DblClick(QListWidgetItem* item) {
    delete item;
    refreshCount();
}

// The window has no Cancel button: Escape must not throw the edits away.
// Delete in the list removes the current entry, as a double click does.
void frmEditFilter::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && List1->hasFocus() && List1->currentItem()) {
        List1_DblClick(List1->currentItem());
        return;
    }
    QDialog::keyPressEvent(event);
}
