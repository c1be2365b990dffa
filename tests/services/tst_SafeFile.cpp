#include "TestPaths.h"
#include "UtxBuilder.h"
#include "services/SafeFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

class tst_SafeFile : public QObject {
    Q_OBJECT

private slots:
    void replacesWithNothingLeftOver() {
        QTemporaryDir dir;
        const QString path = dir.filePath("unreal.flt");
        QVERIFY(WriteFileAtomically(path, "first, longer contents"));
        QVERIFY(WriteFileAtomically(path, "second"));
        QCOMPARE(FileBytes(path), "second");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"unreal.flt"});
    }

    void failsWithoutHarm_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<rlim_t>("sizeLimit"); // binds root too, unlike file permissions
        QTest::newRow("folder in the way") << "folder" << RLIM_INFINITY;
        QTest::newRow("missing parent") << "missing/unreal.flt" << RLIM_INFINITY;
        QTest::newRow("parent is a file") << "plain.txt/unreal.flt" << RLIM_INFINITY;
        QTest::newRow("pipe") << "pipe" << RLIM_INFINITY;
        QTest::newRow("old file, disk full") << "BossSkins.int" << rlim_t(1024);
    }
    void failsWithoutHarm() {
        QFETCH(QString, target);
        QFETCH(rlim_t, sizeLimit);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QVERIFY(WriteBytes(dir.filePath("BossSkins.int"), "old") &&
                WriteBytes(dir.filePath("plain.txt"), "plain"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{std::min(sizeLimit, saved.rlim_max), saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            QSKIP("the file size limit cannot be set here");
        QString error;
        const bool written =
            WriteFileAtomically(dir.filePath(target), QByteArray(65536, 'x'), &error);
        setrlimit(RLIMIT_FSIZE, &saved);

        QVERIFY(!written);
        QVERIFY2(error.contains(dir.filePath(target)), qPrintable(error));
        QCOMPARE(FileBytes(dir.filePath("BossSkins.int")) + FileBytes(dir.filePath("plain.txt")),
                 "oldplain");
        QVERIFY(QFileInfo(dir.filePath("folder")).isDir() &&
                !QFileInfo(dir.filePath("pipe")).isFile());
        QCOMPARE(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{"BossSkins.int", "folder", "pipe", "plain.txt"}));
    }
};

QTEST_GUILESS_MAIN(tst_SafeFile)
#include "tst_SafeFile.moc"
