#pragma once

#include <QDialog>
#include <QString>

class QEvent;
class QLabel;
class QMouseEvent;
class QPushButton;
class QIcon;
class QSettings;
class UpdateBuffer;

// The About window: the program's name, maker, web site and version, a button
// that asks the maker's server for a newer version, and a link label that
// opens the comments mail link or a link the server announced. Closing it
// discards it; the next opening starts again from the mail link and the four
// lines.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // `updateBuffer` receives the update check's reply and outlives the window.
    frmAbout(QSettings& store, UpdateBuffer& updateBuffer, const QIcon& icon,
             QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setUpLink();
    void cmdVersion_Click();
    void lblLink_Click();
    void lblLink_MouseMove();
    void Form_MouseMove();

    QSettings& store_;
    UpdateBuffer& updateBuffer_;
    QPushButton* cmdVersion;
    QLabel* Label1;
    QLabel* lblLink;
    QString RunningVersionText;
    QString LinkTarget;
};
