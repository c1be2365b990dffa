#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class Dialogs;

// The filter list editor: shows unreal.flt's entries, adds the text typed into
// entryBox on Enter, removes an entry on double-click and writes the list back.
// Edits that were not written are dropped when it closes; the wizard reads the
// file afresh for each package it opens.
class frmEditFilter : public QDialog {
    Q_OBJECT

public:
    explicit frmEditFilter(const QString& programDir, Dialogs& dialogs, QWidget* parent = nullptr);

    // The controls, with the object names Label1, List1, Text1, Command1 and
    // Command2.
    QLabel* countLabel;
    QListWidget* entryList;
    QLineEdit* entryBox;
    QPushButton* getButton;   // "Get Filter List"
    QPushButton* writeButton; // "Write Filter List"

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildEntryList();
    void buildButtons();
    QStringList entries() const;
    void refreshCount();
    void loadFromFile();
    void writeToFile();
    void addTypedEntry();
    void removeEntry(QListWidgetItem* item);

    QString programDir_;
    Dialogs& dialogs_;
};
