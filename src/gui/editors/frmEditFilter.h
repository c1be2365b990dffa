#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
struct AppState;

// The filter list editor: shows unreal.flt's entries, adds the text typed into
// Text1 on Enter, removes an entry on double-click and writes the list back.
// Edits that were not written are dropped when it closes; the wizard reads the
// file afresh for each package it opens.
class frmEditFilter : public QDialog {
    Q_OBJECT

public:
    explicit frmEditFilter(AppState& state, QWidget* parent = nullptr);

    QLabel* Label1;
    QListWidget* List1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringList entries() const;
    void refreshCount();
    void Command1_Click();
    void Command2_Click();
    void Text1_Enter();
    void List1_DblClick(QListWidgetItem* item);

    AppState& state_;
};
