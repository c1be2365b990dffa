#include "editors/frmEditTypes.h"

#include "WindowTestState.h"

const QByteArray Record = "[abcd]\r\naaaa=\"team\"\r\nbbbbb=\"1\"\r\ncccc=\"5\"\r\n"
                          "dddd=\"4\"\r\neeee=\"Example skins\"\r\n";

class tst_frmEditTypes : public QObject {
    Q_OBJECT

private slots:
    // Reload shows the file's bytes, Save writes the box and two CR LF pairs; a
    // failure keeps the file and the window, Save off while the file is unread.
    void editing_data() {
        QTest::addColumn<QByteArray>("bytes"); // none: no file, "/": a folder in its place
        QTest::addColumn<QString>("typed");    // then, in place of the text
        QTest::addColumn<bool>("save");        // else the window is closed
        QTest::addColumn<QByteArray>("after"); // in the file
        QTest::addColumn<QString>("said");
        const QByteArray odd = "[\xe9\xa0\x80]\nb\rc"; // code page bytes, LF and CR
        QTest::newRow("close") << Record << QString() << false << Record << QString();
        QTest::newRow("odd") << odd << QString() << true
                             << QByteArray("[\xe9\xa0\x80]\r\nb\r\nc\r\n\r\n") << "";
        QTest::newRow("created empty") << QByteArray() << QString() << false << QByteArray() << "";
        QTest::newRow("unreadable")
            << QByteArray("/") << QString() << true << QByteArray() << "Could not read";
        QTest::newRow("not writable") << Record << "[x]" << true << Record << "Could not write";
        QTest::newRow("not in the code page") << Record << "[\u2605]" << true << Record << "\u2605";
    }
    void editing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        QFETCH(bool, save);
        QFETCH(QByteArray, after);
        QFETCH(QString, said);
        WindowTestState t;
        QString ini = t.programFile("SkinFormats.ini");
        QVERIFY(bytes == "/" ? QDir().mkdir(ini) : bytes.isNull() || WriteBytes(ini, bytes));
        frmEditTypes window(t.programDir, t.dialogs);
        window.show();
        window.Text1->setPlainText("[half a record");
        window.mnuReload->trigger();
        if (!typed.isNull())
            window.Text1->setPlainText(typed);
        if (said == "Could not write") { // the program folder became a file
            QVERIFY(QDir().rename(t.programDir, t.folder.filePath("moved")));
            QVERIFY(WriteBytes(t.programDir, ""));
            ini = t.folder.filePath("moved/SkinFormats.ini");
        }
        QTest::keyClick(window.Text1, Qt::Key_Escape); // no way out without Cancel
        save ? window.mnuSave->trigger() : void(window.close());
        QCOMPARE(FileBytes(ini), after);
        QCOMPARE(QFileInfo(ini).isFile(), bytes != "/");
        const QString last = t.dialogs.messages.isEmpty() ? "" : t.dialogs.messages.last().text;
        QVERIFY2(last.contains(said) && last.isEmpty() == said.isEmpty(), qPrintable(last));
        QCOMPARE(window.isVisible(), !said.isEmpty());
        QVERIFY(said.isEmpty() || typed.isNull() || window.Text1->toPlainText() == typed);
    }
};

QTEST_MAIN(tst_frmEditTypes)
#include "tst_frmEditTypes.moc"
