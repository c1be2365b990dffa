#include "ScriptedDialogs.h"
#include "UtxBuilder.h"
#include "services/clsCdlg.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray SkinBytes("\xc1\x83\x2a\x9e\0\0x", 7);
}

class tst_clsCdlg : public QObject {
    Q_OBJECT

private slots:
    void filterInQtForm() {
        QCOMPARE(QtFileFilter("UTX Files|*.utx|All Files|*.*"), "UTX Files (*.utx);;All Files (*)");
        QCOMPARE(QtFileFilter("Images|*.bmp;*.pcx|B"), "Images (*.bmp *.pcx);;B ()");
    }

    // After First.utx was opened, the row's choice (none: cancelled) is opened.
    // A name that cannot be read is taken, but the bytes of the last file stay.
    void open_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("package bytes") << "Skin.utx" << SkinBytes + '\0';
        QTest::newRow("zero length") << "Empty.utx" << QByteArray(1, '\0');
        QTest::newRow("missing file") << "Typed.utx" << QByteArray("first", 6);
        QTest::newRow("folder") << "Folder.utx" << QByteArray("first", 6);
        QTest::newRow("cancelled") << QString() << QByteArray("first", 6);
    }
    void open() {
        QFETCH(QString, chosen);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QVERIFY(WriteBytes(dir.filePath("First.utx"), "first") &&
                WriteBytes(dir.filePath("Skin.utx"), SkinBytes));
        QVERIFY(WriteBytes(dir.filePath("Empty.utx"), "") && QDir(dir.path()).mkdir("Folder.utx"));
        ScriptedDialogs dialogs;
        dialogs.files << dir.filePath("First.utx")
                      << (chosen.isNull() ? std::nullopt : std::optional(dir.filePath(chosen)));
        clsCdlg cdlg(dialogs);
        cdlg.setInitDir("/ut/Textures/");
        cdlg.setFilter("UTX Files|*.utx");
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
        const Dialogs::FileRequest request = dialogs.fileRequests.last();
        QVERIFY(!request.save && request.fileName.isEmpty());
        QCOMPARE(request.initialDir + request.filter, "/ut/Textures/UTX Files (*.utx)");
    }

    // The proposed name and its terminator must fit MaxFileSize; otherwise no
    // dialog is shown and nothing changes.
    void save_data() {
        QTest::addColumn<int>("maxFileSize"); // 0: never set
        QTest::addColumn<int>("length");      // of the proposed name
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("chosen"); // none: cancelled
        QTest::newRow("fits 255") << 0 << 254 << true << QString("/ut/System/Chosen.int");
        QTest::newRow("no room for the terminator") << 0 << 255 << false << QString();
        QTest::newRow("negative size") << -7 << 255 << false << QString();
        QTest::newRow("own size, backslashes")
            << 1024 << 600 << true << QString("C:\\UT\\Chosen.int");
        QTest::newRow("cancelled") << 0 << 10 << true << QString();
    }
    void save() {
        QFETCH(int, maxFileSize);
        QFETCH(int, length);
        QFETCH(bool, shown);
        QFETCH(QString, chosen);
        ScriptedDialogs dialogs;
        if (shown)
            dialogs.files << (chosen.isNull() ? std::nullopt : std::optional(chosen));
        clsCdlg cdlg(dialogs);
        if (maxFileSize != 0)
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
