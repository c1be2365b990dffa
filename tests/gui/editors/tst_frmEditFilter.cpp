#include "editors/frmEditFilter.h"

#include "WindowTestState.h"
#include "engine/FilterList.h"

const QStringList Old{"tex", "botpack", "skin"}, Edited{"botpack", "skin", "NewTh"};

class tst_frmEditFilter : public QObject {
    Q_OBJECT

private slots:
    // After "tex" is removed and "NewTh" added, the window closes on a write or
    // its cancelling, stays open with its list after a failure, and drops
    // edits not written when it closes.
    void editAndWrite_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<Dialogs::Answer>("answer"); // to the question before writing
        QTest::addColumn<QString>("reported");       // a failure's message mentions it
        QTest::newRow("not written") << false << Dialogs::Answer::Ok << QString();
        QTest::newRow("OK") << true << Dialogs::Answer::Ok << QString();
        QTest::newRow("Cancel") << true << Dialogs::Answer::Cancel << QString();
        QTest::newRow("backup blocked") << true << Dialogs::Answer::Ok << "oldunreal.flt";
    }
    void editAndWrite() {
        QFETCH(bool, write);
        QFETCH(Dialogs::Answer, answer);
        QFETCH(QString, reported);
        WindowTestState t;
        QVERIFY(WriteBytes(t.programFile("unreal.flt"), EncodeFilterFile(Old).value()));
        QVERIFY(reported.isEmpty() || QDir().mkdir(t.programFile("oldunreal.flt")));
        frmEditFilter window(t.programDir, t.dialogs);
        window.show();
        t.dialogs.answers.enqueue(answer);
        emit window.entryList->itemDoubleClicked(window.entryList->item(0));
        QCOMPARE(window.countLabel->text(), QStringLiteral("Filter Count = 2"));
        window.entryBox->insert("  NewTh ");
        QTest::keyClick(window.entryBox, Qt::Key_Return);
        // The box keeps the text whole, without a line break, and selected.
        QCOMPARE(window.entryBox->text() + '|' + window.entryBox->selectedText(),
                 "  NewTh |  NewTh ");
        if (write)
            QTest::mouseClick(window.writeButton, Qt::LeftButton);
        QTest::keyClick(window.entryList, Qt::Key_Escape); // no way out without Cancel
        QCOMPARE(window.entryList->item(0)->text() + '|' + window.entryList->item(2)->text(),
                 "botpack|NewTh");
        QCOMPARE(window.countLabel->text(), QStringLiteral("Filter Count = 3"));
        QCOMPARE(window.isVisible(), !write || !reported.isEmpty());
        const QString said = t.dialogs.messages.isEmpty() ? "" : t.dialogs.messages.last().text;
        QVERIFY2(said.contains(reported), qPrintable(said));
        window.close();

        const bool written = write && answer == Dialogs::Answer::Ok && reported.isEmpty();
        QCOMPARE(FileBytes(t.programFile("unreal.flt")),
                 EncodeFilterFile(written ? Edited : Old).value());
    }

    // A damaged list is told on opening and replaced by what is written; the backup of the last
    // good one stays.
    void damagedList() {
        WindowTestState t;
        QVERIFY(WriteBytes(t.programFile("unreal.flt"), QByteArray(64, '\r')));
        QVERIFY(WriteBytes(t.programFile("oldunreal.flt"), EncodeFilterFile(Old).value()));
        frmEditFilter window(t.programDir, t.dialogs);
        QCOMPARE(t.dialogs.messages.size(), 1);
        QVERIFY(
            t.dialogs.messages[0].text.contains(t.programFile("unreal.flt") + " cannot be used"));
        QCOMPARE(window.entryList->count(), 0);
        window.entryBox->setText("tex");
        QTest::keyClick(window.entryBox, Qt::Key_Return);
        t.dialogs.answers.enqueue(Dialogs::Answer::Ok);
        window.writeButton->click();
        QCOMPARE(FileBytes(t.programFile("unreal.flt")), EncodeFilterFile({"tex"}).value());
        QCOMPARE(FileBytes(t.programFile("oldunreal.flt")), EncodeFilterFile(Old).value());
    }
};

QTEST_MAIN(tst_frmEditFilter)
#include "tst_frmEditFilter.moc"
