#include "engine/frmEditFilter.h"

#include "WindowTestState.h"
#include "engine/FilterList.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QString Question = QStringLiteral("Are you sure you\r\nwant to overwrite?");

QByteArray Encoded(const QStringList& entries) {
    return EncodeFilterFile(entries).value();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Listed(const frmEditFilter& window) {
    QStringList entries;
    for (int i = 0; i < window.List1->count(); ++i)
        entries.append(window.List1->item(i)->text());
    return entries;
}

void DoubleClickRow(QListWidget* list, int row) {
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

QString Count(int n) {
    return QStringLiteral("Filter Count = %1").arg(n);
}

} // namespace

class tst_frmEditFilter : public QObject {
    Q_OBJECT

    const QStringList oldEntries{"tex", "botpack", "skin"};

    // A program folder with unreal.flt holding oldEntries and the editor on
    // screen.
    struct Editing {
        WindowTestState t;
        QString flt = t.programFile(QStringLiteral("unreal.flt"));
        QString backup = t.programFile(QStringLiteral("oldunreal.flt"));
        QByteArray oldBytes;
        std::unique_ptr<frmEditFilter> window;
        explicit Editing(const QStringList& entries) : oldBytes(Encoded(entries)) {
            WriteBytes(flt, oldBytes);
            window = std::make_unique<frmEditFilter>(t.state);
            window->show();
        }
    };

    void addEntry(frmEditFilter& window, const QString& typed) {
        window.Text1->selectAll();
        window.Text1->insert(typed); // as typed over the selection
        QTest::keyClick(window.Text1, Qt::Key_Return);
    }

private slots:
    void opensWithTheFileEntries_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("entries") << true << Encoded({"Tex", "BOTPACK", "skin"})
                                 << QStringList{"tex", "botpack", "skin"};
        QTest::newRow("stops at an empty entry")
            << true << Encoded({"tex"}) + QByteArray(2, '\0') + Encoded({"skin"})
            << QStringList{"tex"};
        QTest::newRow("empty file") << true << QByteArray() << QStringList{};
        QTest::newRow("no file") << false << QByteArray() << QStringList{};
    }
    void opensWithTheFileEntries() {
        QFETCH(bool, present);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        WindowTestState t;
        if (present)
            QVERIFY(WriteBytes(t.programFile(QStringLiteral("unreal.flt")), bytes));
        frmEditFilter window(t.state);
        QCOMPARE(Listed(window), expected);
        QCOMPARE(window.Label1->text(), Count(int(expected.size())));
        QCOMPARE(t.state.session.FilterList, expected.isEmpty() && bytes.isEmpty()
                                                 ? QStringList{}
                                                 : expected + QStringList{QString()});
        QCOMPARE(window.windowTitle(), QStringLiteral("Filter Edit Menu"));
    }

    void getFilterListStartsAgainFromTheFile() {
        Editing e(oldEntries);
        addEntry(*e.window, QStringLiteral("extra"));
        DoubleClickRow(e.window->List1, 0);
        QTest::mouseClick(e.window->Command1, Qt::LeftButton);
        QCOMPARE(Listed(*e.window), oldEntries);
        QCOMPARE(e.window->Label1->text(), Count(3));
    }

    void enterAddsTheTrimmedText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("added");
        QTest::newRow("plain") << "ut"
                               << "ut";
        QTest::newRow("spaces around") << "  Deco  "
                                       << "Deco";
        QTest::newRow("spaces inside") << " two words "
                                       << "two words";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only spaces") << "   "
                                     << "";
    }
    void enterAddsTheTrimmedText() {
        QFETCH(QString, typed);
        QFETCH(QString, added);
        Editing e(oldEntries);
        addEntry(*e.window, typed);
        QCOMPARE(Listed(*e.window), oldEntries + QStringList(added));
        QCOMPARE(e.window->Label1->text(), Count(4));
        // The typed text stays, whole and selected, so the next typing replaces it.
        QCOMPARE(e.window->Text1->text(), typed);
        QCOMPARE(e.window->Text1->selectedText(), typed);
        // Enter pressed no button: the window is open and the file untouched.
        QVERIFY(e.window->isVisible());
        QCOMPARE(ReadBytes(e.flt), e.oldBytes);
        QVERIFY(e.t.dialogs.messages.isEmpty());
    }

    void doubleClickRemovesThatEntry_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("first") << 0 << QStringList{"botpack", "skin"};
        QTest::newRow("middle") << 1 << QStringList{"tex", "skin"};
        QTest::newRow("last") << 2 << QStringList{"tex", "botpack"};
    }
    void doubleClickRemovesThatEntry() {
        QFETCH(int, row);
        QFETCH(QStringList, left);
        Editing e(oldEntries);
        DoubleClickRow(e.window->List1, row);
        QCOMPARE(Listed(*e.window), left);
        QCOMPARE(e.window->Label1->text(), Count(2));
        QCOMPARE(ReadBytes(e.flt), e.oldBytes);
    }

    void writeFilterList_data() {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("OK") << Dialogs::Answer::Ok << true;
        QTest::newRow("Cancel") << Dialogs::Answer::Cancel << false;
    }
    void writeFilterList() {
        QFETCH(Dialogs::Answer, answer);
        QFETCH(bool, written);
        Editing e(oldEntries);
        DoubleClickRow(e.window->List1, 0); // tex
        addEntry(*e.window, QStringLiteral("NewTh"));
        const QStringList edited{"botpack", "skin", "NewTh"};
        e.t.dialogs.answers.enqueue(answer);
        QTest::mouseClick(e.window->Command2, Qt::LeftButton);

        QCOMPARE(e.t.dialogs.messages.size(), 1);
        QCOMPARE(e.t.dialogs.messages[0].text, Question);
        QCOMPARE(e.t.dialogs.messages[0].title, QStringLiteral("File Operations"));
        QCOMPARE(e.t.dialogs.messages[0].buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(ReadBytes(e.flt), written ? Encoded(edited) : e.oldBytes);
        QCOMPARE(QFile::exists(e.backup), written);
        if (written)
            QCOMPARE(ReadBytes(e.backup), e.oldBytes);
        // The window closes either way, and the program's list is the file's.
        QVERIFY(!e.window->isVisible());
        QCOMPARE(e.window->result(), int(QDialog::Accepted));
        const QStringList inFile = written ? QStringList{"botpack", "skin", "newth"} : oldEntries;
        QCOMPARE(e.t.state.session.FilterList, inFile + QStringList{QString()});

        // The next package opening filters with what is in the file.
        PackageRecord read;
        read.Names = {"botpack_x", "newthing", "none", "skinfoot1", "texture"};
        read.NameCount = 5;
        PackageRecord items;
        filteritems(QStringLiteral("/games/ut/Textures/Skin.utx"), e.t.programDir,
                    e.t.state.session.FilterList, read, items);
        const QStringList kept =
            written ? QStringList{"none", "texture"} : QStringList{"newthing", "none"};
        QCOMPARE(items.Names, kept);
    }

    void writingAnEmptyListDoesNothing() {
        Editing e({"tex"});
        DoubleClickRow(e.window->List1, 0);
        QCOMPARE(e.window->Label1->text(), Count(0));
        QTest::mouseClick(e.window->Command2, Qt::LeftButton);
        QVERIFY(e.t.dialogs.messages.isEmpty());
        QVERIFY(e.window->isVisible());
        QCOMPARE(ReadBytes(e.flt), Encoded({"tex"}));
    }

    // The filter list is only ever replaced, never created.
    void withoutAFileNothingIsWritten() {
        WindowTestState t;
        frmEditFilter window(t.state);
        window.show();
        addEntry(window, QStringLiteral("tex"));
        QTest::mouseClick(window.Command2, Qt::LeftButton);
        QVERIFY(t.dialogs.messages.isEmpty());
        QVERIFY(!QFile::exists(t.programFile(QStringLiteral("unreal.flt"))));
        QVERIFY(!window.isVisible());
    }

    void aFailedWriteIsReportedAndKeepsTheList_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("blockBackup"); // a folder stands where the backup goes
        QTest::addColumn<QString>("mentioned");
        QTest::newRow("character outside the code page") << "r\u00e9d\u2605" << false << "\u2605";
        QTest::newRow("backup cannot be written") << "red" << true << "oldunreal.flt";
    }
    void aFailedWriteIsReportedAndKeepsTheList() {
        QFETCH(QString, typed);
        QFETCH(bool, blockBackup);
        QFETCH(QString, mentioned);
        Editing e(oldEntries);
        if (blockBackup) {
            QVERIFY(QDir().mkdir(e.backup));
            e.t.dialogs.answers.enqueue(Dialogs::Answer::Ok);
        }
        addEntry(*e.window, typed);
        QTest::mouseClick(e.window->Command2, Qt::LeftButton);

        const ScriptedDialogs::Message& report = e.t.dialogs.messages.last();
        QVERIFY2(report.text.contains(mentioned), qPrintable(report.text));
        QCOMPARE(report.buttons, Dialogs::Buttons::Ok);
        QVERIFY(e.window->isVisible());
        QCOMPARE(Listed(*e.window), oldEntries + QStringList{typed});
        QCOMPARE(ReadBytes(e.flt), e.oldBytes);
        QCOMPARE(e.t.state.session.FilterList, oldEntries + QStringList{QString()});
    }

    void closingDropsWhatWasNotWritten() {
        Editing e(oldEntries);
        addEntry(*e.window, QStringLiteral("extra"));
        DoubleClickRow(e.window->List1, 1);
        // Escape is no way out: the window has no Cancel button.
        QTest::keyClick(e.window->List1, Qt::Key_Escape);
        QVERIFY(e.window->isVisible());
        e.t.state.session.FilterList = QStringList{"stale", QString()};
        e.window->close();
        QVERIFY(!e.window->isVisible());
        QVERIFY(e.t.dialogs.messages.isEmpty());
        QCOMPARE(ReadBytes(e.flt), e.oldBytes);
        QVERIFY(!QFile::exists(e.backup));
        QCOMPARE(e.t.state.session.FilterList, oldEntries + QStringList{QString()});
    }
};

QTEST_MAIN(tst_frmEditFilter)
#include "tst_frmEditFilter.moc"
