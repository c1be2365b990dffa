#include "engine/frmEditFilter.h"

#include "WindowTestState.h"
#include "engine/FilterList.h"

namespace {

const QStringList Old{"tex", "botpack", "skin"};

// unreal.flt holding Old and the editor on screen.
struct Editing : WindowTestState {
    QString flt = programFile("unreal.flt");
    QString backup = programFile("oldunreal.flt");
    std::unique_ptr<frmEditFilter> window;
    Editing() {
        WriteBytes(flt, EncodeFilterFile(Old).value());
        window = std::make_unique<frmEditFilter>(state);
        window->show();
    }
    // "+text" is typed over the selection and entered, "-entry" double-clicked.
    void edit(const QStringList& steps) {
        for (const QString& step : steps) {
            if (step.startsWith('-')) {
                DoubleClickEach(window->List1, {step.mid(1)});
            } else {
                window->Text1->selectAll();
                window->Text1->insert(step.mid(1));
                QTest::keyClick(window->Text1, Qt::Key_Return);
            }
        }
    }
    QStringList listed() const {
        QStringList entries;
        for (int i = 0; i < window->List1->count(); ++i)
            entries.append(window->List1->item(i)->text());
        return entries;
    }
};

} // namespace

class tst_frmEditFilter : public QObject {
    Q_OBJECT

private slots:
    // Edits are dropped when the window closes without writing them.
    void editing_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("add") << QStringList{"+  two words "} << Old + QStringList{"two words"};
        QTest::newRow("add nothing") << QStringList{"+"} << Old + QStringList{""};
        QTest::newRow("remove first") << QStringList{"-tex"} << QStringList{"botpack", "skin"};
        QTest::newRow("remove last") << QStringList{"-skin"} << QStringList{"tex", "botpack"};
    }
    void editing() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, listed);
        Editing e;
        e.edit(steps);
        QCOMPARE(e.listed(), listed);
        QCOMPARE(e.window->Label1->text(), QString("Filter Count = %1").arg(listed.size()));
        // Enter leaves the text whole, without a line break, and selected.
        const QString typed = steps[0].startsWith('+') ? steps[0].mid(1) : QString();
        QCOMPARE(e.window->Text1->text(), typed);
        QCOMPARE(e.window->Text1->selectedText(), typed);
        QTest::keyClick(e.window->List1, Qt::Key_Escape); // no way out without Cancel
        QVERIFY(e.window->isVisible());
        e.state.session.FilterList = QStringList{"stale"};
        e.window->close();
        QVERIFY(e.dialogs.messages.isEmpty() && !QFile::exists(e.backup));
        QCOMPARE(ReadBytes(e.flt), EncodeFilterFile(Old).value());
        QCOMPARE(e.state.session.FilterList, Old + QStringList{QString()});
    }

    // A failure keeps the window and its list; otherwise it closes either way.
    void write_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Dialogs::Answer>("answer"); // to the question before writing
        QTest::addColumn<QString>("reported");       // a failure's message mentions it
        QTest::newRow("OK") << "NewTh" << Dialogs::Answer::Ok << QString();
        QTest::newRow("Cancel") << "NewTh" << Dialogs::Answer::Cancel << QString();
        QTest::newRow("not in the code page") << "r\u2605" << Dialogs::Answer::Ok << "\u2605";
        QTest::newRow("backup blocked") << "NewTh" << Dialogs::Answer::Ok << "oldunreal.flt";
    }
    void write() {
        QFETCH(QString, typed);
        QFETCH(Dialogs::Answer, answer);
        QFETCH(QString, reported);
        Editing e;
        QVERIFY(reported != "oldunreal.flt" || QDir().mkdir(e.backup));
        e.edit({"-tex", "+" + typed});
        e.dialogs.answers.enqueue(answer);
        QTest::mouseClick(e.window->Command2, Qt::LeftButton);

        const bool written = reported.isEmpty() && answer == Dialogs::Answer::Ok;
        const QStringList now = written ? QStringList{"botpack", "skin", typed} : Old;
        QCOMPARE(ReadBytes(e.flt), EncodeFilterFile(now).value());
        QCOMPARE(ReadBytes(e.backup), written ? EncodeFilterFile(Old).value() : "(unreadable)");
        QCOMPARE(e.window->isVisible(), !reported.isEmpty());
        QCOMPARE(e.listed(), (QStringList{"botpack", "skin", typed}));
        QVERIFY2(e.dialogs.messages.last().text.contains(reported),
                 qPrintable(e.dialogs.messages.last().text));

        // The next package opening filters with what is in the file.
        PackageRecord read, items;
        read.Names = {"botpack_x", "newthing", "none", "skinfoot1", "texture"};
        read.NameCount = 5;
        filteritems("/ut/Textures/Skin.utx", e.programDir, e.state.session.FilterList, read, items);
        QCOMPARE(items.Names,
                 (written ? QStringList{"none", "texture"} : QStringList{"newthing", "none"}));
    }
};

QTEST_MAIN(tst_frmEditFilter)
#include "tst_frmEditFilter.moc"
