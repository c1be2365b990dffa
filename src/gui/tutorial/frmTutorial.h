#pragma once

#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QIcon;

// The help text shipped beside the program: tutorial.txt, else readme.txt,
// else a one-line complaint. The file is read when the window is created; the
// text can be edited but is never saved.
class frmTutorial : public QWidget {
    Q_OBJECT

public:
    frmTutorial(const QString& programDir, const QIcon& icon, QWidget* parent = nullptr);

    QPlainTextEdit* txtTutorial;
};

// What the viewer shows for the program folder `programDir`.
QString TutorialText(const QString& programDir);

// The whole of the file at `path` as Windows-1252 text, or a one-line
// explanation when it cannot be read.
QString ReadTutorialFile(const QString& path);
