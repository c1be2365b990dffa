#include "TestPaths.h"
#include "UtxBuilder.h"
#include "services/ProgramFolder.h"

#include <QtTest>

// Folders "exe" (the executable's), "first" (installed defaults) and "user". Each data file holds
// its folder's tag and its name, so the chosen folder's files show where they came from.
class tst_ProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void choice_data() {
        QTest::addColumn<QStringList>("files"); // "folder": every data file, "folder/name": one
        QTest::addColumn<bool>("writable");     // the executable's folder
        QTest::addColumn<QStringList>("found"); // per data file, its tag in the chosen folder
        const QStringList both{"exe", "first"}, exe{"exe", "exe", "exe", "exe"},
            first{"first", "first", "first", "first"};
        QTest::newRow("writable with files") << both << true << exe;
        QTest::newRow("read-only with files") << both << false << first;
        QTest::newRow("writable but empty") << QStringList{"first"} << true << first;
        QTest::newRow("user copy kept") << QStringList{"first", "user/SkinFormats.ini"} << false
                                        << QStringList{"user", "first", "first", "first"};
        QTest::newRow("missing default")
            << QStringList{"first/SkinFormats.ini"} << true << QStringList{"first", "", "", ""};
    }
    void choice() {
        QFETCH(QStringList, files);
        QFETCH(bool, writable);
        QFETCH(QStringList, found);
        QTemporaryDir root;
        for (const QString tag : {"exe", "first", "user"})
            QVERIFY(QDir().mkpath(root.filePath(tag)));
        for (const QString& entry : files) {
            const QString tag = entry.section('/', 0, 0);
            for (const QString& name :
                 entry.contains('/') ? QStringList{entry.section('/', 1)} : ProgramDataFiles()) {
                QVERIFY(WriteBytes(root.filePath(tag + '/' + name), (tag + name).toLatin1()));
                // Installed defaults are read-only; the user's copies must not be.
                QVERIFY(QFile::setPermissions(root.filePath(tag + '/' + name), QFile::ReadOwner));
            }
        }

        const ProgramFolderChoice choice = ChooseProgramFolder(
            root.filePath("exe"), {root.filePath("first")}, root.filePath("user"),
            [writable](const QString&) { return writable; });

        QCOMPARE(choice.folder, root.filePath(found.first() == "exe" ? "exe" : "user"));
        QStringList tags;
        for (const QString& name : ProgramDataFiles())
            tags.append(QString::fromLatin1(FileBytes(choice.folder + '/' + name)).remove(name));
        QCOMPARE(tags, found);
        QCOMPARE(choice.copied.size(), found.count("first"));
        QCOMPARE(choice.missing.size(), found.count(""));
        // Each missing file is told to the user by its path.
        const QStringList problems = ProgramFolderProblems(choice);
        QCOMPARE(problems.size(), choice.missing.size());
        for (const QString& name : choice.missing)
            QVERIFY(!problems.filter(choice.folder + '/' + name).isEmpty());
        for (const QString& name : choice.copied)
            QVERIFY(QFileInfo(choice.folder + '/' + name).permissions() & QFile::WriteOwner);
        QVERIFY(choice.failures.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ProgramFolder)
#include "tst_ProgramFolder.moc"
