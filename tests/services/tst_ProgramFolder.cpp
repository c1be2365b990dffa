#include "services/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FillWithDataFiles(const QString& dir, const QByteArray& prefix) {
    for (const QString& name : ProgramDataFiles())
        WriteFile(dir + QLatin1Char('/') + name, prefix + name.toLatin1());
}

auto Writable(bool value) {
    return [value](const QString&) { return value; };
}

} // namespace

class tst_ProgramFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(root.isValid()); }
    void cleanup() {
        root.remove();
        root = QTemporaryDir();
    }

    void executableFolderKept_data();
    void executableFolderKept();
    void userFolderFilledFromDefaults();
    void userCopyNeverReplaced();
    void missingDefaultReported();
    void laterDefaultsFolderFillsGaps();
    void installedDirsFollowPrefixThenXdg();

private:
    QString path(const QString& sub) const { return root.path() + QLatin1Char('/') + sub; }
    QTemporaryDir root;
};

void tst_ProgramFolder::executableFolderKept_data() {
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("kept");
    QTest::newRow("writable with files") << true << true << true;
    QTest::newRow("read-only with files") << true << false << false;
    QTest::newRow("writable but empty") << false << true << false;
}

void tst_ProgramFolder::executableFolderKept() {
    QFETCH(bool, withFiles);
    QFETCH(bool, writable);
    QFETCH(bool, kept);
    const QString exeDir = path(QStringLiteral("bin"));
    QDir().mkpath(exeDir);
    if (withFiles)
        FillWithDataFiles(exeDir, "exe:");
    FillWithDataFiles(path(QStringLiteral("share/varnwick")), "default:");

    const ProgramFolderChoice choice =
        ChooseProgramFolder(exeDir, {path(QStringLiteral("share/varnwick"))},
                            path(QStringLiteral("user")), Writable(writable));

    QCOMPARE(choice.folder, kept ? exeDir : path(QStringLiteral("user")));
    QCOMPARE(choice.copied.size(), kept ? 0 : ProgramDataFiles().size());
    QVERIFY(choice.failures.isEmpty());
}

void tst_ProgramFolder::userFolderFilledFromDefaults() {
    const QString defaults = path(QStringLiteral("share/varnwick"));
    FillWithDataFiles(defaults, "default:");
    const QString user = path(QStringLiteral("home/.local/share/Varnwick"));

    const ProgramFolderChoice choice =
        ChooseProgramFolder(path(QStringLiteral("bin")), {defaults}, user, Writable(true));

    QCOMPARE(choice.folder, user);
    QCOMPARE(choice.copied, ProgramDataFiles());
    QVERIFY(choice.missing.isEmpty());
    for (const QString& name : ProgramDataFiles()) {
        QCOMPARE(ReadFile(user + QLatin1Char('/') + name), "default:" + name.toLatin1());
        // The user's copy is theirs to edit, even when the default is read-only.
        QVERIFY(QFileInfo(user + QLatin1Char('/') + name).permissions() & QFile::WriteOwner);
    }
}

void tst_ProgramFolder::userCopyNeverReplaced() {
    const QString defaults = path(QStringLiteral("share/varnwick"));
    FillWithDataFiles(defaults, "default:");
    const QString user = path(QStringLiteral("user"));
    WriteFile(user + QStringLiteral("/SkinFormats.ini"), "edited by the user");

    const ProgramFolderChoice choice =
        ChooseProgramFolder(path(QStringLiteral("bin")), {defaults}, user, Writable(false));

    QVERIFY(!choice.copied.contains(QStringLiteral("SkinFormats.ini")));
    QCOMPARE(ReadFile(user + QStringLiteral("/SkinFormats.ini")), QByteArray("edited by the user"));
    QCOMPARE(ReadFile(defaults + QStringLiteral("/SkinFormats.ini")),
             QByteArray("default:SkinFormats.ini"));
}

void tst_ProgramFolder::missingDefaultReported() {
    const QString defaults = path(QStringLiteral("share/varnwick"));
    WriteFile(defaults + QStringLiteral("/SkinFormats.ini"), "types");

    const ProgramFolderChoice choice = ChooseProgramFolder(
        path(QStringLiteral("bin")), {defaults}, path(QStringLiteral("user")), Writable(true));

    QCOMPARE(choice.copied, QStringList{QStringLiteral("SkinFormats.ini")});
    QCOMPARE(choice.missing,
             (QStringList{QStringLiteral("unreal.flt"), QStringLiteral("tutorial.txt")}));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("user/unreal.flt"))));
}

void tst_ProgramFolder::laterDefaultsFolderFillsGaps() {
    const QString first = path(QStringLiteral("prefix/share/varnwick"));
    const QString second = path(QStringLiteral("xdg/varnwick"));
    WriteFile(first + QStringLiteral("/SkinFormats.ini"), "first");
    FillWithDataFiles(second, "second:");

    const ProgramFolderChoice choice = ChooseProgramFolder(
        path(QStringLiteral("bin")), {first, second}, path(QStringLiteral("user")), Writable(true));

    QVERIFY(choice.missing.isEmpty());
    QCOMPARE(ReadFile(path(QStringLiteral("user/SkinFormats.ini"))), QByteArray("first"));
    QCOMPARE(ReadFile(path(QStringLiteral("user/unreal.flt"))), QByteArray("second:unreal.flt"));
}

void tst_ProgramFolder::installedDirsFollowPrefixThenXdg() {
    const QStringList dirs =
        InstalledDataDirs(QStringLiteral("/opt/vw/bin"),
                          {QStringLiteral("/usr/local/share"), QStringLiteral("/opt/vw/share/"),
                           QStringLiteral("/usr/share")});
    QCOMPARE(dirs, (QStringList{QStringLiteral("/opt/vw/share/varnwick"),
                                QStringLiteral("/usr/local/share/varnwick"),
                                QStringLiteral("/usr/share/varnwick")}));
}

QTEST_GUILESS_MAIN(tst_ProgramFolder)
#include "tst_ProgramFolder.moc"
