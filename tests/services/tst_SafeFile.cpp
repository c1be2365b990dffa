#include "UtxBuilder.h"
#include "services/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes the system refuse files larger than `bytes` while it lives; root is
// bound by this limit too, unlike by file permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    bool active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
};

} // namespace

class tst_SafeFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writesAndReplaces();
    void failsWithoutHarm_data();
    void failsWithoutHarm();
    void oldFileSurvivesFailedWrite();
    void pipeNotReplaced();

private:
    std::unique_ptr<QTemporaryDir> dir;
};

void tst_SafeFile::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void tst_SafeFile::writesAndReplaces() {
    const QString path = dir->filePath(QStringLiteral("unreal.flt"));
    QString error;
    QVERIFY(WriteFileAtomically(path, QByteArray("first, longer contents"), &error));
    QVERIFY(WriteFileAtomically(path, QByteArray("second"), &error));
    QCOMPARE(error, QString());
    QCOMPARE(ReadAll(path), QByteArray("second"));
    QVERIFY(WriteFileAtomically(path, QByteArray(), &error));
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"unreal.flt"});
}

void tst_SafeFile::failsWithoutHarm_data() {
    QTest::addColumn<QString>("target");

    QTest::newRow("folder in the way") << "folder";
    QTest::newRow("missing parent folder") << "missing/unreal.flt";
    QTest::newRow("parent is a regular file") << "plain.txt/unreal.flt";
}

void tst_SafeFile::failsWithoutHarm() {
    QFETCH(QString, target);
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder")));
    QVERIFY(WriteBytes(dir->filePath(QStringLiteral("folder/inside")), "kept"));
    QVERIFY(WriteBytes(dir->filePath(QStringLiteral("plain.txt")), "plain"));
    const QString path = dir->filePath(target);
    QString error;
    QVERIFY(!WriteFileAtomically(path, QByteArray("new"), &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(ReadAll(dir->filePath(QStringLiteral("folder/inside"))), QByteArray("kept"));
    QCOMPARE(ReadAll(dir->filePath(QStringLiteral("plain.txt"))), QByteArray("plain"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{"folder", "plain.txt"}));
}

void tst_SafeFile::oldFileSurvivesFailedWrite() {
    const QString path = dir->filePath(QStringLiteral("BossSkins.int"));
    QVERIFY(WriteBytes(path, "old contents"));
    QString error;
    {
        FileSizeLimit limit(1024);
        if (!limit.active())
            QSKIP("the file size limit cannot be set here");
        QVERIFY(!WriteFileAtomically(path, QByteArray(64 * 1024, 'x'), &error));
    }
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadAll(path), QByteArray("old contents"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"BossSkins.int"});
}

void tst_SafeFile::pipeNotReplaced() {
    const QString path = dir->filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QString error;
    QVERIFY(!WriteFileAtomically(path, QByteArray("text"), &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!QFileInfo(path).isFile());
    QVERIFY(QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(tst_SafeFile)
#include "tst_SafeFile.moc"
