#include "settings/frmBrowse.h"

#include "WindowTestState.h"

class tst_frmBrowse : public QObject {
    Q_OBJECT

private slots:
    // The picker starts at the root whatever the folder box says, opens what
    // is double-clicked or chosen as a drive (a drive that cannot be listed
    // falls back to the root, silently) and on OK takes the open folder, not
    // the one highlighted.
    void browseAndClose_data() {
        QTest::addColumn<QStringList>("clicks"); // the way from the root
        QTest::addColumn<QString>("drive");      // then chosen, unless empty
        QTest::addColumn<QString>("button");     // "" for the close box
        QTest::addColumn<QString>("open");       // at the end
        QTest::newRow("OK") << QStringList{"top", "sub"} << "" << QString("cmdOK") << "/top/sub";
        QTest::newRow("back up") << QStringList{"top", "sub", "top"} << "" << QString("cmdOK")
                                 << "/top";
        QTest::newRow("root") << QStringList{"top", "/"} << "" << QString("cmdOK") << "/";
        QTest::newRow("Cancel") << QStringList{"top"} << "" << QString("cmdCancel") << "/top";
        QTest::newRow("close box") << QStringList{"top"} << "" << QString() << "/top";
        QTest::newRow("drive") << QStringList{"top"} << "/top/sub" << QString("cmdOK")
                               << "/top/sub";
        QTest::newRow("lost drive") << QStringList{"top"} << "/gone" << QString("cmdOK") << "/";
    }
    void browseAndClose() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, drive);
        QFETCH(QString, button);
        QFETCH(QString, open);
        WindowTestState t;
        QVERIFY(QDir(t.folder.path()).mkpath("top/sub"));
        const QString wanted = open == "/" ? open : t.folder.path() + open;
        t.state.BrowseResult = "/an/earlier/pick";
        const QPointer<frmBrowse> first = t.state.browse = new frmBrowse(t.state); // as at start-up
        WhenModal([&](QWidget*) {
            QCOMPARE(first->Dir1Path(), QStringLiteral("/"));
            QCOMPARE(first->Drive1->currentData().toString(), QStringLiteral("/"));
            for (const QString& name : t.folder.path().split('/', Qt::SkipEmptyParts) + clicks)
                emit first->Dir1->itemDoubleClicked(
                    first->Dir1->findItems(name, Qt::MatchRecursive).value(0), 0);
            if (!drive.isEmpty()) {
                first->Drive1->addItem(drive, t.folder.path() + drive);
                emit first->Drive1->activated(first->Drive1->count() - 1);
                QCOMPARE(first->Drive1->currentData().toString(), wanted);
            }
            QCOMPARE(first->Dir1Path(), wanted);
            first->Dir1->setCurrentItem(first->Dir1->topLevelItem(0)); // highlighted only
            CloseWith(first, button);
        });
        const bool taken = button == "cmdOK";
        QCOMPARE(BrowseForDir(t.state, "/where/it/was"), taken ? wanted : "/where/it/was");
        QCOMPARE(t.state.BrowseResult, taken ? wanted : QString());
        QVERIFY(t.dialogs.messages.isEmpty());
        QTRY_VERIFY(first.isNull()); // the next one starts afresh
    }
};

QTEST_MAIN(tst_frmBrowse)
#include "tst_frmBrowse.moc"
