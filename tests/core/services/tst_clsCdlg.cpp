#include "ScriptedDialogs.h"
#include "services/clsCdlg.h"

#include <QtTest>

class tst_clsCdlg : public QObject {
    Q_OBJECT

private slots:
    // A second dialog replaces the first one's name unless it is cancelled; a
    // proposed name of 255 characters or more shows no dialog and changes nothing.
    void dialogs_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<int>("length");     // of the proposed name
        QTest::addColumn<QString>("chosen"); // none: cancelled
        QTest::addColumn<bool>("shown");
        QTest::newRow("open") << false << 9 << QString("/ut/B.utx") << true;
        QTest::newRow("save, 254") << true << 254 << QString("C:\\UT\\Chosen.int") << true;
        QTest::newRow("save, 255") << true << 255 << QString("/never") << false;
        QTest::newRow("save, cancelled") << true << 9 << QString() << true;
    }
    void dialogs() {
        QFETCH(bool, save);
        QFETCH(int, length);
        QFETCH(QString, chosen);
        QFETCH(bool, shown);
        ScriptedDialogs dialogs;
        dialogs.files << std::optional<QString>("/ut/A.utx")
                      << (chosen.isNull() ? std::nullopt : std::optional(chosen));
        clsCdlg cdlg(dialogs);
        cdlg.setFilter("UTX Files|*.utx;*.u|All Files|*.*");
        cdlg.ShowOpen();
        const QString proposed = QString(length - 5, '/') + "a.int";
        cdlg.setFilename(proposed);

        save ? cdlg.ShowSave() : cdlg.ShowOpen();

        QCOMPARE(dialogs.fileRequests.size(), shown ? 2 : 1);
        QCOMPARE(dialogs.fileRequests.last().filter, "UTX Files (*.utx *.u);;All Files (*)");
        QCOMPARE(dialogs.fileRequests.last().fileName, save && shown ? proposed : QString());
        QCOMPARE(cdlg.Filename(), shown && !chosen.isNull() ? chosen : proposed);
        QCOMPARE(cdlg.CancelError(), shown && chosen.isNull());
    }
};

QTEST_GUILESS_MAIN(tst_clsCdlg)
#include "tst_clsCdlg.moc"
