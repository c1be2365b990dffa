#include "editors/frmEditFilter.h"

#include "engine/FilterList.h"
#include "services/DataFiles.h"
#include "services/Dialogs.h"
#include "widgets/WidgetFonts.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

frmEditFilter::frmEditFilter(const QString& programDir, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      programDir_(programDir), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmEditFilter"));
    setWindowTitle(QStringLiteral("Filter Edit Menu"));
    setFixedSize(Px(1800), Px(3570));
    // Laid out for the design type; a larger desktop font would not fit.
    setFont(DesignFont());

    buildEntryList();
    buildButtons();
    setTabOrder(entryList, entryBox);
    setTabOrder(entryBox, getButton);
    setTabOrder(getButton, writeButton);

    connect(getButton, &QPushButton::clicked, this, &frmEditFilter::loadFromFile);
    connect(writeButton, &QPushButton::clicked, this, &frmEditFilter::writeToFile);
    connect(entryBox, &QLineEdit::returnPressed, this, &frmEditFilter::addTypedEntry);
    connect(entryList, &QListWidget::itemDoubleClicked, this, &frmEditFilter::removeEntry);
    UseDesktopKeys(*this);

    loadFromFile();
}

// The count above the list and the box that adds to it below.
void frmEditFilter::buildEntryList() {
    countLabel = Named(new QLabel(QStringLiteral("Filter Count = 0"), this),
                       QStringLiteral("Label1"), TwipsRect(60, 0, 2025, 225));
    countLabel->setFont(SmallFont(true));
    entryList =
        Named(new QListWidget(this), QStringLiteral("List1"), TwipsRect(30, 180, 1725, 2535));
    entryList->setFont(SmallFont());
    entryList->setAccessibleName(QStringLiteral("Filter list"));
    entryBox = Named(new QLineEdit(this), QStringLiteral("Text1"), TwipsRect(30, 2730, 1725, 255));
    entryBox->setFont(SmallFont());
    entryBox->setAccessibleName(QStringLiteral("New filter entry"));
}

void frmEditFilter::buildButtons() {
    getButton = Named(new QPushButton(QStringLiteral("Get Filter List"), this),
                      QStringLiteral("Command1"), TwipsRect(60, 3030, 1695, 225));
    writeButton = Named(new QPushButton(QStringLiteral("Write Filter List"), this),
                        QStringLiteral("Command2"), TwipsRect(60, 3300, 1695, 225));
    // Enter belongs to entryBox: it adds an entry and must press no button.
    for (QPushButton* button : {getButton, writeButton})
        button->setAutoDefault(false);
}

QStringList frmEditFilter::entries() const {
    QStringList list;
    for (int i = 0; i < entryList->count(); ++i)
        list.append(entryList->item(i)->text());
    return list;
}

void frmEditFilter::refreshCount() {
    countLabel->setText(QStringLiteral("Filter Count = %1").arg(entryList->count()));
}

void frmEditFilter::loadFromFile() {
    entryList->clear();
    QStringList fromFile, loaded;
    ReadFilter(&fromFile, programDir_, QLatin1String(FilterFileName), loaded);
    entryList->addItems(fromFile);
    refreshCount();
    if (const QString problem = FilterListProblem(programDir_, QLatin1String(FilterFileName));
        !problem.isEmpty())
        dialogs_.message(problem, QStringLiteral("File Operations"), Dialogs::Buttons::Ok);
}

// A write that fails keeps the window and its list, so nothing typed is lost;
// the file itself is left as it was.
void frmEditFilter::writeToFile() {
    if (entryList->count() == 0)
        return;
    QString error;
    WriteFilter(entries(), programDir_, QLatin1String(FilterFileName), dialogs_, &error);
    refreshCount();
    if (!error.isEmpty()) {
        dialogs_.message(error, QStringLiteral("File Operations"), Dialogs::Buttons::Ok);
        return;
    }
    accept();
}

void frmEditFilter::addTypedEntry() {
    entryList->addItem(entryBox->text().trimmed());
    entryBox->selectAll();
    refreshCount();
}

void frmEditFilter::removeEntry(QListWidgetItem* item) {
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
    if (event->key() == Qt::Key_Delete && entryList->hasFocus() && entryList->currentItem()) {
        removeEntry(entryList->currentItem());
        return;
    }
    QDialog::keyPressEvent(event);
}
