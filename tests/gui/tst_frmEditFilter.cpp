#include "engine/frmEditFilter.h"

#include "WindowTestState.h"
#include "engine/FilterList.h"

const QStringList Old{"tex", "botpack", "skin"};
constexpr Dialogs::Answer Ok = Dialogs::Answer::Ok, Cancel = Dialogs::Answer::Cancel;

class tst_frmEditFilter : public QObject {
    Q_OBJECT

private slots:
    // Steps: "-entry" double-clicked, "+text" typed and entered, "!" the list
    // written. The window closes after a write or its cancelling and stays
    // open with its list after a failure; closing it drops what was not written.
    void editAndWrite_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<Dialogs::Answer>("answer"); // to the question before writing
        QTest::addColumn<QStringList>("listed");     // afterwards
        QTest::addColumn<QString>("reported");       // a failure's message mentions it
        const QStringList edit{"-tex", "+NewTh", "!"}, edited{"botpack", "skin", "NewTh"};
        QTest::newRow("add") << QStringList{"+  two words "} << Ok << Old + QStringList{"two words"}
                             << QString();
        QTest::newRow("remove") << QStringList{"-tex"} << Ok << edited.first(2) << QString();
        QTest::newRow("OK") << edit << Ok << edited << QString();
        QTest::newRow("Cancel") << edit << Cancel << edited << QString();
        QTest::newRow("backup blocked") << edit << Ok << edited << "oldunreal.flt";
    }
    void editAndWrite() {
        QFETCH(QStringList, steps);
        QFETCH(Dialogs::Answer, answer);
        QFETCH(QStringList, listed);
        QFETCH(QString, reported);
        WindowTestState t;
        const QString backup = t.programFile("oldunreal.flt");
        QVERIFY(WriteBytes(t.programFile("unreal.flt"), EncodeFilterFile(Old).value()));
        QVERIFY(reported.isEmpty() || QDir().mkdir(backup));
        frmEditFilter window(t.state);
        window.show();
        t.state.session.FilterList = QStringList{"stale"};
        t.dialogs.answers.enqueue(answer);
        for (const QString& step : steps) {
            if (step == "!")
                QTest::mouseClick(window.Command2, Qt::LeftButton);
            if (step.startsWith('-'))
                emit window.List1->itemDoubleClicked(window.List1->findItems(step.mid(1), {})[0]);
            if (!step.startsWith('+'))
                continue;
            window.Text1->selectAll();
            window.Text1->insert(step.mid(1));
            QTest::keyClick(window.Text1, Qt::Key_Return);
            // The text stays whole, without a line break, and selected.
            QCOMPARE(window.Text1->text() + window.Text1->selectedText(), step.mid(1).repeated(2));
        }
        QTest::keyClick(window.List1, Qt::Key_Escape); // no way out without Cancel
        QStringList shown;
        for (int i = 0; i < window.List1->count(); ++i)
            shown.append(window.List1->item(i)->text());
        QCOMPARE(shown, listed);
        QCOMPARE(window.Label1->text(), QString("Filter Count = %1").arg(listed.size()));
        QCOMPARE(window.isVisible(), !steps.contains("!") || !reported.isEmpty());
        const QString said = t.dialogs.messages.isEmpty() ? "" : t.dialogs.messages.last().text;
        QVERIFY2(said.contains(reported), qPrintable(said));
        window.close();

        const bool written = steps.contains("!") && answer == Ok && reported.isEmpty();
        QCOMPARE(FileBytes(t.programFile("unreal.flt")),
                 EncodeFilterFile(written ? listed : Old).value());
        QCOMPARE(FileBytes(backup), written ? EncodeFilterFile(Old).value() : QByteArray());
        // The next package opening filters with what is in the file.
        PackageRecord read, items;
        read.Names = {"botpack_x", "newthing", "none", "skinfoot1", "texture"};
        read.NameCount = 5;
        filteritems("/ut/Textures/Skin.utx", t.programDir, t.state.session.FilterList, read, items);
        QCOMPARE(items.Names,
                 (written ? QStringList{"none", "texture"} : QStringList{"newthing", "none"}));
    }
};

QTEST_MAIN(tst_frmEditFilter)
#include "tst_frmEditFilter.moc"
