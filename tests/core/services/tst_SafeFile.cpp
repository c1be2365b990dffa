#include "TestPaths.h"
#include "UtxBuilder.h"
#include "services/SafeFile.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

class tst_SafeFile : public QObject {
    Q_OBJECT

private slots:
    // Each row writes 4 KiB (less than Qt's write buffer, so a failed flush must
    // still count) to its target beside a folder, a pipe and two files.
    void write_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<rlim_t>("sizeLimit"); // binds root too, unlike file permissions
        QTest::addColumn<bool>("written");
        QTest::newRow("replaces a file") << "BossSkins.int" << RLIM_INFINITY << true;
        QTest::newRow("folder in the way") << "folder" << RLIM_INFINITY << false;
        QTest::newRow("missing parent") << "missing/unreal.flt" << RLIM_INFINITY << false;
        QTest::newRow("pipe") << "pipe" << RLIM_INFINITY << false;
        QTest::newRow("old file, disk full") << "BossSkins.int" << rlim_t(1024) << false;
    }
    void write() {
        QFETCH(QString, target);
        QFETCH(rlim_t, sizeLimit);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder") && WriteBytes(dir.filePath("plain.txt"), "plain"));
        QVERIFY(WriteBytes(dir.filePath("BossSkins.int"), "old"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{std::min(sizeLimit, saved.rlim_max), saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            QSKIP("the file size limit cannot be set here");
        QString error;
        const bool ok = WriteFileAtomically(dir.filePath(target), QByteArray(4096, 'x'), &error);
        setrlimit(RLIMIT_FSIZE, &saved);

        QCOMPARE(ok, written);
        QVERIFY2(ok ? error.isEmpty() : error.contains(dir.filePath(target)), qPrintable(error));
        QCOMPARE(FileBytes(dir.filePath("BossSkins.int")), ok ? QByteArray(4096, 'x') : "old");
        QCOMPARE(FileBytes(dir.filePath("plain.txt")), "plain");
        QVERIFY(!QFileInfo(dir.filePath("pipe")).isFile());
        const auto all = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
        QCOMPARE(QDir(dir.path()).entryList(all).join(' '), "BossSkins.int folder pipe plain.txt");
    }
};

QTEST_GUILESS_MAIN(tst_SafeFile)
#include "tst_SafeFile.moc"
