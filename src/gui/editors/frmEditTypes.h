#pragma once

#include <QDialog>
#include <QString>

class QAction;
class QMenuBar;
class QPlainTextEdit;
class Dialogs;

// The skin type catalogue as plain text: "Save" writes the box back to
// SkinFormats.ini and closes the window, "Reload" reads the file again. The
// wizard reads the catalogue afresh whenever a package is opened.
class frmEditTypes : public QDialog {
    Q_OBJECT

public:
    explicit frmEditTypes(const QString& programDir, Dialogs& dialogs, QWidget* parent = nullptr);

    QMenuBar* menuBar;
    QAction* mnuSave;
    QAction* mnuReload;
    QPlainTextEdit* Text1;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadFile();
    void mnuSave_Click();
    void report(const QString& text);

    Dialogs& dialogs_;
    QString path_;
};
