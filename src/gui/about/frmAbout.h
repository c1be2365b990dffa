#pragma once

#include <QDialog>
#include <QString>

class QEvent;
class QLabel;
class QMouseEvent;
class QPushButton;
struct AppState;

// The About window: the program's name, maker, web site and version, a button
// that asks the maker's server for a newer version, and a link label that
// opens the comments mail link or a link the server announced. Closing it
// discards it; the next opening starts again from the mail link and the four
// lines.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(AppState& state, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void cmdVersion_Click();
    void lblLink_Click();
    void lblLink_MouseMove();
    void Form_MouseMove();

    AppState& appState;
    QPushButton* cmdVersion;
    QLabel* Label1;
    QLabel* lblLink;
    QString RunningVersionText;
    QString LinkTarget;
};
