#pragma once

#include <QDialog>
#include <QString>

class QAction;
class QMenuBar;
class QPlainTextEdit;
struct AppState;

// The skin type catalogue as plain text: "Save" writes the box back to
// SkinFormats.ini and closes the window, "Reload" reads the file again. The
// catalogue in memory is re-read after a save and whenever the window closes.
class frmEditTypes : public QDialog {
    Q_OBJECT

public:
    explicit frmEditTypes(AppState& state, QWidget* parent = nullptr);

    QMenuBar* menuBar;
    QAction* mnuSave;
    QAction* mnuReload;
    QPlainTextEdit* Text1;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadFile();
    void mnuSave_Click();
    void report(const QString& text);

    AppState& state_;
    QString path_;
};
