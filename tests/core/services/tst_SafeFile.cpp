#include "TestPaths.h"
#include "UtxBuilder.h"
#include "services/SafeFile.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class tst_SafeFile : public QObject {
    Q_OBJECT

private slots:
    // Each row writes 4 KiB (less than Qt's write buffer, so a failed flush must
    // still count) to its target beside a folder, a pipe and two files.
    void write_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<rlim_t>("sizeLimit"); // binds root too, unlike file permissions
        QTest::addColumn<QString>("reason");   // empty: written
        QTest::newRow("replaces a file") << "BossSkins.int" << RLIM_INFINITY << "";
        QTest::newRow("through a link") << "link" << RLIM_INFINITY << "";
        QTest::newRow("folder in the way") << "folder" << RLIM_INFINITY << "folder";
        QTest::newRow("missing parent") << "missing/unreal.flt" << RLIM_INFINITY << "no such";
        QTest::newRow("pipe") << "pipe" << RLIM_INFINITY << "not a regular file";
        QTest::newRow("link loop") << "loop" << RLIM_INFINITY << "too many levels of symbolic";
        QTest::newRow("old file, size limit") << "BossSkins.int" << rlim_t(1024) << "too large";
    }
    void write() {
        QFETCH(QString, target);
        QFETCH(rlim_t, sizeLimit);
        QFETCH(QString, reason);
        const bool written = reason.isEmpty();
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder") && WriteBytes(dir.filePath("plain.txt"), "plain"));
        QVERIFY(WriteBytes(dir.filePath("BossSkins.int"), "old"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link("BossSkins.int", dir.filePath("link")));
        QVERIFY(QFile::link("loop", dir.filePath("loop")));
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
        QVERIFY2(ok ? error.isEmpty()
                    : error.contains(dir.filePath(target)) && error.contains(reason),
                 qPrintable(error));
        QCOMPARE(FileBytes(dir.filePath("BossSkins.int")), ok ? QByteArray(4096, 'x') : "old");
        QCOMPARE(FileBytes(dir.filePath("plain.txt")), "plain");
        QVERIFY(!QFileInfo(dir.filePath("pipe")).isFile());
        const auto all = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
        QCOMPARE(QDir(dir.path()).entryList(all).join(' '),
                 "BossSkins.int folder link loop pipe plain.txt");
        QVERIFY(QFileInfo(dir.filePath("link")).isSymLink() &&
                QFileInfo(dir.filePath("loop")).isSymLink());
    }

    // Writers started together for a name that holds nothing worth keeping: exactly one wins.
    void onlyOneNewFile_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("a file") << QByteArray("keep");
    }
    void onlyOneNewFile() {
        QFETCH(QByteArray, before);
        constexpr int Writers = 4;
        // Memory-backed where there is one: the rounds then take no disk flushes.
        const QString base = QFileInfo("/dev/shm").isWritable() ? "/dev/shm" : QDir::tempPath();
        QTemporaryDir dir(base + "/race-XXXXXX");
        const QString target = dir.filePath("out.int");
        for (int round = 0; round < 8; ++round) {
            QVERIFY(before.isNull() ? !QFile::exists(target) || QFile::remove(target)
                                    : WriteBytes(target, before));
            int gate[2];
            QCOMPARE(::pipe(gate), 0);
            QList<pid_t> writers;
            for (int i = 0; i < Writers; ++i) {
                const pid_t pid = ::fork();
                if (pid == 0) { // waits for the gate to open, then races the others
                    char c;
                    ::close(gate[1]);
                    [[maybe_unused]] auto n = ::read(gate[0], &c, 1);
                    const auto outcome = WriteNewFileAtomically(target, QByteArray(1000, 'a' + i));
                    ::_exit(outcome == NewFileOutcome::Written
                                ? 'a' + i
                                : int(outcome == NewFileOutcome::Failed));
                }
                writers.append(pid);
            }
            ::close(gate[0]);
            ::close(gate[1]);
            QByteArray winners;
            for (const pid_t pid : writers) {
                int status = 0;
                QCOMPARE(::waitpid(pid, &status, 0), pid);
                QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) != 1);
                if (WEXITSTATUS(status) != 0)
                    winners.append(char(WEXITSTATUS(status)));
            }
            const bool keep = !before.isEmpty();
            QCOMPARE(winners.size(), keep ? 0 : 1);
            QCOMPARE(FileBytes(target), keep ? before : QByteArray(1000, winners[0]));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        }
    }

    // Each failure is told as what it is; a device is never opened to find out.
    void reasons_data() {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no permission") << FileErrorReason(EACCES) << "permission denied.";
        QTest::newRow("other") << FileErrorReason(EIO) << "input/output error.";
        QTest::newRow("endless device")
            << RegularFileProblem("/dev/zero") << "it is not a regular file.";
    }
    void reasons() {
        QFETCH(QString, reason);
        QFETCH(QString, expected);
        QCOMPARE(reason, expected);
        QString error;
        QCOMPARE(ReadWholeFile("/dev/zero", &error), std::nullopt);
        QCOMPARE(error, "Could not read /dev/zero: it is not a regular file.");
    }
};

QTEST_GUILESS_MAIN(tst_SafeFile)
#include "tst_SafeFile.moc"
