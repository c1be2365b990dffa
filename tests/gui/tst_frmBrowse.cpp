#include "settings/frmBrowse.h"

#include "WindowTestState.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

QTreeWidgetItem* ItemNamed(QTreeWidget* tree, const QString& text) {
    const QList<QTreeWidgetItem*> found =
        tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void DoubleClick(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    const QPoint centre = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
}

// Double-clicks the entries named in `texts`, in order; false when one is
// not listed.
bool DoubleClickEach(frmBrowse& picker, const QStringList& texts) {
    for (const QString& text : texts) {
        QTreeWidgetItem* item = ItemNamed(picker.Dir1, text);
        if (!item)
            return false;
        DoubleClick(picker.Dir1, item);
    }
    return true;
}

// The entries to double-click from the root to `path`.
QStringList WayTo(const QString& path) {
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

class tst_frmBrowse : public QObject {
    Q_OBJECT

    QString root = QStringLiteral("/");

    // A folder of its own with the subfolders alpha/beta and gamma.
    QString makeTree(WindowTestState& t) {
        const QString top = t.folder.filePath(QStringLiteral("pick"));
        QDir().mkpath(top + QStringLiteral("/alpha/beta"));
        QDir().mkpath(top + QStringLiteral("/gamma"));
        return top;
    }

private slots:
    void startsAtTheRootWithItsSubfolders() {
        WindowTestState t;
        frmBrowse picker(t.state);
        QCOMPARE(picker.Dir1Path(), root);
        QCOMPARE(picker.Drive1->currentData().toString(), root);
        QCOMPARE(picker.Dir1->topLevelItemCount(), 1);
        QTreeWidgetItem* top = picker.Dir1->topLevelItem(0);
        QCOMPARE(top->text(0), root);
        QStringList listed;
        for (int i = 0; i < top->childCount(); ++i)
            listed.append(top->child(i)->text(0));
        QCOMPARE(listed, QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                              QDir::Name | QDir::IgnoreCase));
        QCOMPARE(picker.Dir1->currentItem(), top);
    }

    void doubleClickOpensTheFolder_data() {
        QTest::addColumn<QStringList>("clicks"); // below the tree's folder; "/" is the root
        QTest::addColumn<QString>("expected");   // below the tree's folder, or "/"
        QTest::newRow("the folder itself") << QStringList{} << "";
        QTest::newRow("a subfolder") << QStringList{"alpha"} << "/alpha";
        QTest::newRow("two deep") << QStringList{"alpha", "beta"} << "/alpha/beta";
        QTest::newRow("back to a parent") << QStringList{"alpha", "beta", "alpha"} << "/alpha";
        QTest::newRow("sideways") << QStringList{"alpha", "pick", "gamma"} << "/gamma";
        QTest::newRow("back to the root") << QStringList{"alpha", "/"} << "/";
    }
    void doubleClickOpensTheFolder() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, expected);
        WindowTestState t;
        const QString top = makeTree(t);
        frmBrowse picker(t.state);
        picker.show();
        QVERIFY(DoubleClickEach(picker, WayTo(top) + clicks));
        const QString wanted = expected == root ? root : top + expected;
        QCOMPARE(picker.Dir1Path(), wanted);
        // The parent chain and the subfolders of the new path are listed.
        QCOMPARE(picker.Dir1->currentItem()->text(0),
                 wanted == root ? root : QFileInfo(wanted).fileName());
        QCOMPARE(picker.Dir1->currentItem()->childCount(),
                 QDir(wanted).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    }

    void closingSetsTheResult_data() {
        QTest::addColumn<QString>("below");    // where the picker is when it closes
        QTest::addColumn<QString>("button");   // "cmdOK", "cmdCancel" or "" for the close box
        QTest::addColumn<QString>("returned"); // below the tree's folder, "/", or "start"
        QTest::addColumn<bool>("hasResult");
        QTest::newRow("OK in a folder") << "/alpha"
                                        << "cmdOK"
                                        << "/alpha" << true;
        QTest::newRow("OK at the root") << "/"
                                        << "cmdOK"
                                        << "/" << true;
        QTest::newRow("Cancel") << "/alpha"
                                << "cmdCancel"
                                << "start" << false;
        QTest::newRow("close box") << "/alpha"
                                   << ""
                                   << "start" << false;
    }
    void closingSetsTheResult() {
        QFETCH(QString, below);
        QFETCH(QString, button);
        QFETCH(QString, returned);
        QFETCH(bool, hasResult);
        WindowTestState t;
        const QString top = makeTree(t);
        const QString start = QStringLiteral("/where/it/was");
        t.state.BrowseResult = QStringLiteral("/an/earlier/pick");
        bool acted = false;
        WhenModal([&](QWidget* modal) {
            auto* picker = qobject_cast<frmBrowse*>(modal);
            QVERIFY(picker);
            acted = true;
            if (below != root)
                QVERIFY(DoubleClickEach(*picker, WayTo(top + below)));
            if (button.isEmpty())
                picker->close();
            else
                QTest::mouseClick(picker->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        const QString result = BrowseForDir(t.state, start);
        QVERIFY(acted);
        const QString wanted = returned == QLatin1String("start") ? start
                               : returned == root                 ? root
                                                                  : top + returned;
        QCOMPARE(result, wanted);
        QCOMPARE(t.state.BrowseResult, hasResult ? wanted : QString());
    }

    void okReturnsTheOpenFolderNotTheHighlightedOne() {
        WindowTestState t;
        const QString top = makeTree(t);
        WhenModal([&](QWidget* modal) {
            auto* picker = qobject_cast<frmBrowse*>(modal);
            QVERIFY(picker);
            QVERIFY(DoubleClickEach(*picker, WayTo(top)));
            QTreeWidgetItem* alpha = ItemNamed(picker->Dir1, QStringLiteral("alpha"));
            QVERIFY(alpha);
            picker->Dir1->scrollToItem(alpha);
            QTest::mouseClick(picker->Dir1->viewport(), Qt::LeftButton, {},
                              picker->Dir1->visualItemRect(alpha).center());
            QCOMPARE(picker->Dir1->currentItem(), alpha);
            QTest::mouseClick(picker->cmdOK, Qt::LeftButton);
        });
        QCOMPARE(BrowseForDir(t.state, QString()), top);
    }

    // The picker created at start-up is the one shown first; it is destroyed
    // when it closes, and the next one starts at the root again.
    void startsAtTheRootEveryTime() {
        WindowTestState t;
        const QString top = makeTree(t);
        t.state.browse = new frmBrowse(t.state);
        const QPointer<frmBrowse> startup = t.state.browse.data();
        bool shownFirst = false;
        WhenModal([&](QWidget* modal) {
            shownFirst = modal == startup.data();
            QVERIFY(DoubleClickEach(*qobject_cast<frmBrowse*>(modal), WayTo(top)));
            modal->close();
        });
        BrowseForDir(t.state, top);
        QVERIFY(shownFirst);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(startup.isNull());

        QString startedAt;
        WhenModal([&](QWidget* modal) {
            startedAt = qobject_cast<frmBrowse*>(modal)->Dir1Path();
            modal->close();
        });
        BrowseForDir(t.state, top);
        QCOMPARE(startedAt, root);
    }

    void choosingADrive_data() {
        QTest::addColumn<QString>("drive"); // below the test's folder
        QTest::addColumn<bool>("opens");
        QTest::newRow("a folder") << "/pick" << true;
        QTest::newRow("missing") << "/gone" << false;
        QTest::newRow("a file") << "/file" << false;
    }
    void choosingADrive() {
        QFETCH(QString, drive);
        QFETCH(bool, opens);
        WindowTestState t;
        const QString top = makeTree(t);
        QFile file(t.folder.filePath(QStringLiteral("file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        frmBrowse picker(t.state);
        picker.show();
        QVERIFY(DoubleClickEach(picker, WayTo(top) + QStringList{"alpha"}));
        const QString path = t.folder.path() + drive;
        picker.Drive1->addItem(path, path);
        const int index = picker.Drive1->count() - 1;
        picker.Drive1->setCurrentIndex(index);
        emit picker.Drive1->activated(index);
        QCOMPARE(picker.Dir1Path(), opens ? path : root);
        QCOMPARE(picker.Drive1->currentData().toString(), opens ? path : root);
        QVERIFY(t.dialogs.messages.isEmpty());
    }

    // The drive list shows the file system that holds the open folder.
    void driveFollowsTheOpenFolder() {
        WindowTestState t;
        const QString top = makeTree(t);
        frmBrowse picker(t.state);
        picker.show();
        picker.Drive1->addItem(top, top);
        QVERIFY(DoubleClickEach(picker, WayTo(top) + QStringList{"alpha"}));
        QCOMPARE(picker.Drive1->currentData().toString(), top);
        QVERIFY(DoubleClickEach(picker, {QStringLiteral("/")}));
        QCOMPARE(picker.Drive1->currentData().toString(), root);
    }
};

QTEST_MAIN(tst_frmBrowse)
#include "tst_frmBrowse.moc"
