#include "ScriptedDialogs.h"
#include "services/clsCdlg.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}
} // namespace

class tst_clsCdlg : public QObject {
    Q_OBJECT

private slots:
    void filterInQtForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("packages") << "UTX Files|*.utx|All Files|*.*"
                                  << "UTX Files (*.utx);;All Files (*)";
        QTest::newRow("int files") << "INT Files|*.int|All Files|*.*"
                                   << "INT Files (*.int);;All Files (*)";
        QTest::newRow("several patterns") << "Images|*.bmp;*.pcx"
                                          << "Images (*.bmp *.pcx)";
        QTest::newRow("description only") << "Packages"
                                          << "Packages ()";
        QTest::newRow("trailing description") << "A|*.a|B"
                                              << "A (*.a);;B ()";
        QTest::newRow("empty") << ""
                               << "";
    }
    void filterInQtForm() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(QtFileFilter(filter), expected);
    }

    void maxFileSizeDefaultsTo255_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        QTest::newRow("never set") << 0 << 255;
        QTest::newRow("negative") << -7 << 255;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("own size") << 1024 << 1024;
    }
    void maxFileSizeDefaultsTo255() {
        QFETCH(int, set);
        QFETCH(int, expected);
        ScriptedDialogs dialogs;
        clsCdlg cdlg(dialogs);
        if (set != 0)
            cdlg.setMaxFileSize(set);
        dialogs.files.enqueue(std::nullopt);
        cdlg.ShowOpen();
        QCOMPARE(cdlg.MaxFileSize(), expected);
    }

    void dialogIsAskedWithTheProperties() {
        ScriptedDialogs dialogs;
        clsCdlg cdlg(dialogs);
        cdlg.setInitDir(QStringLiteral("/ut/Textures/"));
        cdlg.setFilter(QStringLiteral("UTX Files|*.utx|All Files|*.*"));
        cdlg.setFilename(QStringLiteral("/ut/Textures/Old.utx"));
        dialogs.files.enqueue(std::nullopt);
        dialogs.files.enqueue(std::nullopt);

        cdlg.ShowOpen();
        cdlg.ShowSave();

        QCOMPARE(dialogs.fileRequests.size(), 2);
        const Dialogs::FileRequest open = dialogs.fileRequests[0];
        QVERIFY(!open.save);
        QCOMPARE(open.initialDir, QStringLiteral("/ut/Textures/"));
        QCOMPARE(open.filter, QStringLiteral("UTX Files (*.utx);;All Files (*)"));
        QCOMPARE(open.fileName, QString()); // the open dialog proposes no name
        const Dialogs::FileRequest save = dialogs.fileRequests[1];
        QVERIFY(save.save);
        QCOMPARE(save.fileName, QStringLiteral("/ut/Textures/Old.utx"));
    }

    void openReadsTheChosenFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("package bytes") << QByteArray("\xc1\x83\x2a\x9e\0\0x", 7);
        QTest::newRow("zero length") << QByteArray();
    }
    void openReadsTheChosenFile() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = WriteFile(dir, QStringLiteral("Skin.utx"), bytes);
        QVERIFY(!path.isEmpty());
        ScriptedDialogs dialogs;
        clsCdlg cdlg(dialogs);
        cdlg.setCancelError(true);
        dialogs.files.enqueue(path);

        cdlg.ShowOpen();

        QCOMPARE(cdlg.Filename(), path);
        QCOMPARE(cdlg.FileNameShort(), QStringLiteral("Skin.utx"));
        QCOMPARE(cdlg.CancelError(), false);
        QByteArray array("caller's");
        cdlg.GetArray(array);
        QCOMPARE(array, bytes + QByteArray(1, '\0'));
    }

    void shortNameFollowsTheLastSeparator_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("slashes") << "/ut/Textures/Skin.utx"
                                 << "Skin.utx";
        QTest::newRow("backslashes") << "C:\\UT\\Textures\\Skin.utx"
                                     << "Skin.utx";
        QTest::newRow("mixed") << "/mnt/c\\UT/Textures\\Skin.utx"
                               << "Skin.utx";
        QTest::newRow("no separator") << "Skin.utx"
                                      << "Skin.utx";
        QTest::newRow("ends with a separator") << "/ut/Textures/"
                                               << "";
    }
    void shortNameFollowsTheLastSeparator() {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        ScriptedDialogs dialogs;
        clsCdlg cdlg(dialogs);
        dialogs.files.enqueue(chosen);
        cdlg.ShowSave();
        QCOMPARE(cdlg.Filename(), chosen);
        QCOMPARE(cdlg.FileNameShort(), expected);
    }

    void cancelKeepsTheNames_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("open") << false;
        QTest::newRow("save") << true;
    }
    void cancelKeepsTheNames() {
        QFETCH(bool, save);
        ScriptedDialogs dialogs;
        clsCdlg cdlg(dialogs);
        cdlg.setFilename(QStringLiteral("/ut/System/Skin.int"));
        cdlg.setFileNameShort(QStringLiteral("short"));
        dialogs.files.enqueue(std::nullopt);

        save ? cdlg.ShowSave() : cdlg.ShowOpen();

        QCOMPARE(cdlg.CancelError(), true);
        QCOMPARE(cdlg.Filename(), QStringLiteral("/ut/System/Skin.int"));
        QCOMPARE(cdlg.FileNameShort(), QStringLiteral("short"));
    }

    // A typed name of a file that is not there, a folder, or a file that
    // cannot be read: the name is taken, the bytes of the last file stay.
    void unreadableChoiceKeepsTheBytes_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << "Typed.utx";
        QTest::newRow("folder") << "Folder.utx";
        QTest::newRow("inside a file") << "First.utx/Inner.utx";
    }
    void unreadableChoiceKeepsTheBytes() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString first = WriteFile(dir, QStringLiteral("First.utx"), "first");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.utx")));
        ScriptedDialogs dialogs;
        clsCdlg cdlg(dialogs);
        dialogs.files.enqueue(first);
        dialogs.files.enqueue(dir.filePath(name));

        cdlg.ShowOpen();
        cdlg.ShowOpen();

        QCOMPARE(cdlg.Filename(), dir.filePath(name));
        QCOMPARE(cdlg.CancelError(), false);
        QByteArray array;
        cdlg.GetArray(array);
        QCOMPARE(array, QByteArray("first", 6));
    }

    // The proposed name and its terminator must fit MaxFileSize; otherwise no
    // dialog is shown and the properties stay as they were.
    void saveWithATooLongNameShowsNoDialog_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("shown");
        QTest::newRow("fits") << 254 << true;
        QTest::newRow("no room for the terminator") << 255 << false;
        QTest::newRow("longer") << 600 << false;
    }
    void saveWithATooLongNameShowsNoDialog() {
        QFETCH(int, length);
        QFETCH(bool, shown);
        ScriptedDialogs dialogs;
        clsCdlg cdlg(dialogs);
        const QString proposed = QStringLiteral("/").repeated(length - 5) + QStringLiteral("a.int");
        cdlg.setFilename(proposed);
        cdlg.setFileNameShort(QStringLiteral("before"));
        if (shown)
            dialogs.files.enqueue(QStringLiteral("/ut/System/Chosen.int"));

        cdlg.ShowSave();

        QCOMPARE(dialogs.fileRequests.size(), shown ? 1 : 0);
        QCOMPARE(cdlg.Filename(), shown ? QStringLiteral("/ut/System/Chosen.int") : proposed);
        QCOMPARE(cdlg.FileNameShort(),
                 shown ? QStringLiteral("Chosen.int") : QStringLiteral("before"));
        QCOMPARE(cdlg.CancelError(), false);
    }
};

QTEST_GUILESS_MAIN(tst_clsCdlg)
#include "tst_clsCdlg.moc"
