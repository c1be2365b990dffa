#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct AppState;

// The settings window: the game folder (index 1 of the control arrays), the
// storage folder and the start-up and extra options, which stay hidden but
// travel unchanged between the store and the window. Whenever it closes it
// enables the wizard again; it is destroyed when closed.
class frmSettings : public QDialog {
    Q_OBJECT

public:
    explicit frmSettings(AppState& state, QWidget* parent = nullptr);

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

    void done(int result) override;

private:
    void buildDirFrame(int index, const QString& caption, const QRect& twips);
    void Form_Load();
    void cmdBrowse_Click(int index);
    void cmdOK_Click();
    void cmdDefault_Click();

    AppState& state_;
};
