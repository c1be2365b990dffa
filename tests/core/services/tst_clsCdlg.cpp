#include "ScriptedDialogs.h"
#include "UtxBuilder.h"
#include "services/clsCdlg.h"

#include <QtTest>

class tst_clsCdlg : public QObject {
    Q_OBJECT

    const QByteArray SkinBytes{"\xc1\x83\x2a\x9e\0\0x", 7};

private slots:
    // After First.utx was opened, the row's choice (none: cancelled) is opened.
    // A name that cannot be read is taken, but the bytes of the last file stay.
    void open_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("package bytes") << "Skin.utx" << SkinBytes + '\0';
        QTest::newRow("missing file") << "Typed.utx" << QByteArray("first", 6);
        QTest::newRow("cancelled") << QString() << QByteArray("first", 6);
    }
    void open() {
        QFETCH(QString, chosen);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QVERIFY(WriteBytes(dir.filePath("First.utx"), "first") &&
                WriteBytes(dir.filePath("Skin.utx"), SkinBytes));
        ScriptedDialogs dialogs;
        dialogs.files << dir.filePath("First.utx")
                      << (chosen.isNull() ? std::nullopt : std::optional(dir.filePath(chosen)));
        clsCdlg cdlg(dialogs);
        cdlg.setFilter("UTX Files|*.utx;*.u|All Files|*.*");
        cdlg.ShowOpen();
        cdlg.setCancelError(!chosen.isNull()); // the opposite of what the row expects

        cdlg.ShowOpen();

        const QString name = chosen.isNull() ? "First.utx" : chosen;
        QCOMPARE(cdlg.Filename(), dir.filePath(name));
        QCOMPARE(cdlg.FileNameShort(), name);
        QCOMPARE(cdlg.CancelError(), chosen.isNull());
        QByteArray array("caller's");
        cdlg.GetArray(array);
        QCOMPARE(array, bytes);
        QCOMPARE(dialogs.fileRequests.last().filter, "UTX Files (*.utx *.u);;All Files (*)");
    }

    // The proposed name and its terminator must fit MaxFileSize; otherwise no
    // dialog is shown and nothing changes.
    void save_data() {
        QTest::addColumn<int>("maxFileSize"); // 0: as never set
        QTest::addColumn<int>("length");      // of the proposed name
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("chosen"); // none: cancelled
        QTest::newRow("fits 255, backslashes") << 0 << 254 << true << QString("C:\\UT\\Chosen.int");
        QTest::newRow("no room for the terminator") << 0 << 255 << false << QString();
        QTest::newRow("own size, cancelled") << 1024 << 600 << true << QString();
    }
    void save() {
        QFETCH(int, maxFileSize);
        QFETCH(int, length);
        QFETCH(bool, shown);
        QFETCH(QString, chosen);
        ScriptedDialogs dialogs;
        dialogs.files << (chosen.isNull() ? std::nullopt : std::optional(chosen));
        clsCdlg cdlg(dialogs);
        cdlg.setMaxFileSize(maxFileSize);
        const QString proposed = QString(length - 5, '/') + "a.int";
        cdlg.setFilename(proposed);
        cdlg.setFileNameShort("before");

        cdlg.ShowSave();

        QCOMPARE(cdlg.MaxFileSize(), maxFileSize > 0 ? maxFileSize : 255);
        QCOMPARE(dialogs.fileRequests.value(0).fileName, shown ? proposed : QString());
        const bool taken = !chosen.isNull();
        QCOMPARE(cdlg.Filename(), taken ? chosen : proposed);
        QCOMPARE(cdlg.FileNameShort(), taken ? "Chosen.int" : "before");
        QCOMPARE(cdlg.CancelError(), shown && !taken);
    }
};

QTEST_GUILESS_MAIN(tst_clsCdlg)
#include "tst_clsCdlg.moc"
