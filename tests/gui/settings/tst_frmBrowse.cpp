#include "settings/frmBrowse.h"

#include "WindowTestState.h"

class tst_frmBrowse : public QObject {
    Q_OBJECT

private slots:
    // The picker opens what is double-clicked or chosen as a drive (one that
    // cannot be listed gives the root) and on OK takes the open folder.
    void browseAndClose_data() {
        QTest::addColumn<QStringList>("clicks"); // the way from the root
        QTest::addColumn<QString>("drive");      // then chosen, unless empty
        QTest::addColumn<QString>("button");     // "" for the close box
        QTest::addColumn<QString>("open");       // at the end
        QTest::newRow("OK") << QStringList{"a", "b"} << "" << QString("cmdOK") << "/a/b";
        QTest::newRow("root") << QStringList{"a", "/"} << "" << QString("cmdOK") << "/";
        QTest::newRow("Cancel") << QStringList{"a"} << "" << QString("cmdCancel") << "/a";
        QTest::newRow("close box") << QStringList{"a"} << "" << QString() << "/a";
        QTest::newRow("drive") << QStringList{"a"} << "/a/b" << QString("cmdOK") << "/a/b";
        QTest::newRow("lost drive") << QStringList{"a"} << "/gone" << QString("cmdOK") << "/";
    }
    void browseAndClose() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, drive);
        QFETCH(QString, button);
        QFETCH(QString, open);
        WindowTestState t;
        QVERIFY(QDir(t.folder.path()).mkpath("a/b"));
        const QString wanted = open == "/" ? open : t.folder.path() + open;
        QPointer<frmBrowse> first;
        WhenModal([&](QWidget* modal) {
            first = qobject_cast<frmBrowse*>(modal);
            QVERIFY(first);
            QCOMPARE(first->Dir1Path(), QStringLiteral("/"));
            QCOMPARE(first->Drive1->currentData().toString(), QStringLiteral("/"));
            for (const QString& name : t.folder.path().split('/', Qt::SkipEmptyParts) + clicks)
                emit first->Dir1->itemDoubleClicked(
                    first->Dir1->findItems(name, Qt::MatchRecursive).value(0), 0);
            if (!drive.isEmpty()) {
                first->Drive1->addItem(drive, t.folder.path() + drive);
                emit first->Drive1->activated(first->Drive1->count() - 1);
            }
            QCOMPARE(first->Dir1Path(), wanted);
            first->Dir1->setCurrentItem(first->Dir1->topLevelItem(0)); // highlighted only
            if (button.isEmpty())
                first->close();
            else
                QTest::mouseClick(first->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        const bool taken = button == "cmdOK";
        QCOMPARE(BrowseForDir({}, "/where/it/was"), taken ? wanted : "/where/it/was");
        QVERIFY(t.dialogs.messages.isEmpty());
        QVERIFY(first.isNull()); // the next one starts afresh
    }
};

QTEST_MAIN(tst_frmBrowse)
#include "tst_frmBrowse.moc"
