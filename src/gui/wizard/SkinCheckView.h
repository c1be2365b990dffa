#pragma once

#include "check/SkinCheck.h"
#include "widgets/ThumbnailLoader.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <memory>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QTabWidget;
class QThread;
class QTreeWidget;
class QWidget;

// What the check of step five's text looks at besides the text.
struct CheckContext {
    CheckSubject subject;
    std::shared_ptr<const GameFiles> game; // null without a game folder
};

// Step five's check: the findings for the text in txtINT, refreshed a moment
// after each edit, a summary, and the player setup menu's listing with the
// faces' portraits, decoded from the package away from the window. Activating
// a finding selects its line in the text. The check only reports; it never
// stands in the way of saving.
class SkinCheckView : public QObject {
    Q_OBJECT

public:
    // Creates its controls on `panel`; the owner places them: the summary,
    // and the findings and the menu listing as two pages of tabCheck.
    SkinCheckView(QPlainTextEdit* text, QWidget* panel, TopMipDecoder decode = {});
    ~SkinCheckView() override;

    QLabel* lblCheckSummary = nullptr;
    QTabWidget* tabCheck = nullptr;
    QListWidget* lstFindings = nullptr;
    QTreeWidget* tvwMenu = nullptr;

    // Checks against `context` from now on and at once.
    void setContext(CheckContext context);

    // Checks against `subject` at once, and against the game's .int files and
    // search folders in `UTDir` too once they are read away from the window.
    // A later call supersedes an earlier one still reading.
    void loadContext(CheckSubject subject, const QString& UTDir);

    // Runs the check now (tests; the view does it by itself after edits).
    void checkNow();

    // Portraits asked for and not shown yet.
    int portraitsOutstanding() const { return portraitLoader_.outstanding(); }

signals:
    void checked(const CheckResult& result);

private:
    void showSummary(const QList<Finding>& findings);
    void showFindings(const QList<Finding>& findings);
    void showMenu();
    void askForPortraits();
    void placePortraits(const QHash<QString, Thumbnail>& pictures);
    void selectLine(QListWidgetItem* item);

    QPlainTextEdit* text_;
    QTimer delay_;
    CheckContext context_;
    QList<MenuSkin> menu_;
    ThumbnailLoader portraitLoader_;
    QHash<QString, QImage> portraits_;       // lower-case object name -> picture (null: none)
    QHash<QString, ThumbnailRequest> asked_; // portraits under way, by the same key
    quint64 generation_ = 0;
    QList<QThread*> workers_;
};
