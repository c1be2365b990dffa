#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QGroupBox;
class QIcon;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The directory picker: a drive list (the mounted file systems), a directory
// list whose current path changes when an entry is double-clicked, OK and
// Cancel. OK accepts the folder that is open. It is destroyed when closed.
class frmBrowse : public QDialog {
    Q_OBJECT

public:
    explicit frmBrowse(const QIcon& icon, QWidget* parent = nullptr);

    // The folder whose subfolders Dir1 lists: "/" for the root, any other
    // folder without a trailing "/".
    QString Dir1Path() const { return dirPath_; }

    QGroupBox* Frame1;
    QComboBox* Drive1;
    QTreeWidget* Dir1;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFolderFrame();
    void buildButtons();
    void fillDrives();
    bool setDir1Path(const QString& path);
    void showDriveOf(const QString& path);
    void Drive1_Change(int index);
    void Dir1_DblClick(QTreeWidgetItem* item);

    QString dirPath_;
    bool listsFilled_ = false;
};

// Shows the picker modally, owned by `owner` (or none), and returns the folder
// chosen; `startText` when the user cancelled. The picker always starts at the
// root folder, whatever `startText` says.
QString BrowseForDir(const QIcon& icon, const QString& startText, QWidget* owner = nullptr);
