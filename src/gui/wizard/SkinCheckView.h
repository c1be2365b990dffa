#pragma once

#include "catalogue/ModelSlots.h"
#include "check/SkinCheck.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QThread;
class QTreeWidget;
class QWidget;

// What the check of step five's text looks at besides the text.
struct CheckContext {
    QString packageName;
    std::optional<ModelSlots> model;
    std::shared_ptr<const PackageContents> package; // null when not read
    std::shared_ptr<const GameFiles> game;          // null without a game folder
    QHash<QString, QImage> portraits;               // lower-case object name -> picture
};

// Step five's check: the findings for the text in txtINT, refreshed a moment
// after each edit, a summary, and the player setup menu's listing with the
// faces' portraits. Activating a finding selects its line in the text. The
// check only reports; it never stands in the way of saving.
class SkinCheckView : public QObject {
    Q_OBJECT

public:
    // Creates its controls on `panel`; the owner places them.
    SkinCheckView(QPlainTextEdit* text, QWidget* panel);
    ~SkinCheckView() override;

    QLabel* lblCheckSummary = nullptr;
    QListWidget* lstFindings = nullptr;
    QLabel* lblMenu = nullptr;
    QTreeWidget* tvwMenu = nullptr;

    // Checks against `context` from now on and at once.
    void setContext(CheckContext context);

    // Gathers the context away from the window: the game's .int files and
    // search folders, and `load` for the package and its portraits (run on
    // the worker too). A later call supersedes an earlier one still running.
    using PackageLoader = std::function<void(CheckContext&)>;
    void loadContext(CheckContext context, const QString& UTDir, PackageLoader load);

    // Runs the check now (tests; the view does it by itself after edits).
    void checkNow();

signals:
    void checked(const CheckResult& result);

private:
    void showFindings(const QList<Finding>& findings);
    void showMenu(const QList<MenuSkin>& menu);
    void selectLine(QListWidgetItem* item);

    QPlainTextEdit* text_;
    QTimer delay_;
    CheckContext context_;
    quint64 generation_ = 0;
    QList<QThread*> workers_;
};
