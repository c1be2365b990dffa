#include "settings/frmBrowse.h"

#include "WindowTestState.h"

// A folder of the test's own with the subfolders alpha/beta and gamma; the
// picker reaches it by double-clicking its way down from the root.
struct Tree : WindowTestState {
    QString top = folder.filePath("pick");
    QStringList way = top.split('/', Qt::SkipEmptyParts);
    Tree() { QDir().mkpath(top + "/alpha/beta") && QDir().mkpath(top + "/gamma"); }
};

class tst_frmBrowse : public QObject {
    Q_OBJECT

private slots:
    void browseAndClose_data() {
        QTest::addColumn<QStringList>("clicks"); // double-clicked below the test's folder
        QTest::addColumn<QString>("open");       // then open below it, or "/"
        QTest::addColumn<QString>("button");     // "" for the close box
        QTest::newRow("OK") << QStringList{"alpha"} << "/alpha" << QString("cmdOK");
        QTest::newRow("OK, sideways")
            << QStringList{"alpha", "pick", "gamma"} << "/gamma" << QString("cmdOK");
        QTest::newRow("OK at the root") << QStringList{"/"} << "/" << QString("cmdOK");
        QTest::newRow("Cancel") << QStringList{"alpha"} << "/alpha" << QString("cmdCancel");
        QTest::newRow("close box") << QStringList{"alpha"} << "/alpha" << QString();
    }
    void browseAndClose() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, open);
        QFETCH(QString, button);
        Tree t;
        const QString wanted = open == "/" ? open : t.top + open;
        t.state.BrowseResult = "/an/earlier/pick";
        const QPointer<frmBrowse> first = t.state.browse = new frmBrowse(t.state); // as at start-up
        WhenModal([&](QWidget* modal) {
            QCOMPARE(modal, first.data());
            QCOMPARE(first->Dir1Path(), QStringLiteral("/")); // wherever the folder box points
            DoubleClickEach(first->Dir1, t.way + clicks);
            QCOMPARE(first->Dir1Path(), wanted);
            QCOMPARE(first->Dir1->currentItem()->childCount(),
                     QDir(wanted).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
            // OK takes the open folder, not the one highlighted.
            first->Dir1->setCurrentItem(first->Dir1->topLevelItem(0));
            CloseWith(first, button);
        });
        const bool taken = button == "cmdOK";
        QCOMPARE(BrowseForDir(t.state, "/where/it/was"), taken ? wanted : "/where/it/was");
        QCOMPARE(t.state.BrowseResult, taken ? wanted : QString());
        QTRY_VERIFY(first.isNull()); // the next one starts afresh
    }

    // A drive that cannot be listed falls back to the root, silently.
    void choosingADrive_data() {
        QTest::addColumn<QString>("drive"); // below the test's folder
        QTest::newRow("a folder") << "/pick";
        QTest::newRow("missing") << "/gone";
    }
    void choosingADrive() {
        QFETCH(QString, drive);
        Tree t;
        frmBrowse picker(t.state);
        picker.show();
        QCOMPARE(picker.Drive1->currentData().toString(), QStringLiteral("/"));
        DoubleClickEach(picker.Dir1, t.way + QStringList{"alpha"});
        const QString path = t.folder.path() + drive;
        const QString expected = QFileInfo(path).isDir() ? path : "/";
        picker.Drive1->addItem(path, path);
        emit picker.Drive1->activated(picker.Drive1->count() - 1);
        QCOMPARE(picker.Dir1Path(), expected);
        QCOMPARE(picker.Drive1->currentData().toString(), expected);
        QVERIFY(t.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(tst_frmBrowse)
#include "tst_frmBrowse.moc"
