#pragma once

#include <QDialog>
#include <array>

class Dialogs;
class QCheckBox;
class QGroupBox;
class QIcon;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;

// The settings window: the game folder (index 1 of the control arrays), the
// storage folder and the start-up and extra options, which stay hidden but
// travel unchanged between the store and the window. It is accepted once OK
// has stored the values, and destroyed when closed; whoever opened it reloads
// the settings then.
class frmSettings : public QDialog {
    Q_OBJECT

public:
    frmSettings(QSettings& store, Dialogs& dialogs, const QIcon& icon, QWidget* parent = nullptr);

    std::array<QGroupBox*, 2> frmDir{};
    std::array<QLineEdit*, 2> txtDir{};
    std::array<QPushButton*, 2> cmdBrowse{};
    QPushButton* cmdDefault;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QGroupBox* frmStartUp;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QGroupBox* frmPicture;
    QCheckBox* Check1;
    QCheckBox* Check2;

signals:
    // Restore Default Settings removed the stored placement: closing a window
    // in this run must not store it again.
    void placementReset();

private:
    void buildDirFrame(int index, const QString& caption, const QRect& twips);
    void buildButtons();
    void buildHiddenOptions();
    void setDesignTabOrder();
    void connectControls();
    void Form_Load();
    void cmdBrowse_Click(int index);
    void cmdOK_Click();
    void cmdDefault_Click();

    QSettings& store_;
    Dialogs& dialogs_;
};
