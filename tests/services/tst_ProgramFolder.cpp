#include "TestPaths.h"
#include "UtxBuilder.h"
#include "services/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Each data file holds its folder's tag and its name, so the chosen folder's
// files show where they came from.
class tst_ProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void choice_data() {
        QTest::addColumn<QStringList>("exe"); // data files in the executable's folder
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QStringList>("first"); // in the first installed defaults folder
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("user");  // the user's own copies
        QTest::addColumn<QStringList>("found"); // per data file, the tag in the chosen folder
        const QStringList all = ProgramDataFiles(), none, ini{"SkinFormats.ini"};
        const QStringList fromExe{"exe", "exe", "exe"}, fromFirst{"first", "first", "first"};
        QTest::newRow("writable with files") << all << true << all << none << none << fromExe;
        QTest::newRow("read-only with files") << all << false << all << none << none << fromFirst;
        QTest::newRow("writable but empty") << none << true << all << none << none << fromFirst;
        QTest::newRow("user copy kept")
            << none << false << all << none << ini << QStringList{"user", "first", "first"};
        QTest::newRow("missing default")
            << none << true << ini << none << none << QStringList{"first", "", ""};
        QTest::newRow("later folder fills gaps")
            << none << true << ini << all << none << QStringList{"first", "second", "second"};
    }
    void choice() {
        QFETCH(QStringList, exe);
        QFETCH(bool, writable);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, user);
        QFETCH(QStringList, found);
        QTemporaryDir root;
        const std::pair<QString, QStringList> folders[] = {
            {"exe", exe}, {"first", first}, {"second", second}, {"user", user}};
        for (const auto& [tag, names] : folders) {
            QVERIFY(QDir().mkpath(root.filePath(tag)));
            for (const QString& name : names) {
                QVERIFY(WriteBytes(root.filePath(tag + '/' + name), (tag + name).toLatin1()));
                // Installed defaults are read-only; the user's copies must not be.
                QVERIFY(QFile::setPermissions(root.filePath(tag + '/' + name), QFile::ReadOwner));
            }
        }

        const ProgramFolderChoice choice = ChooseProgramFolder(
            root.filePath("exe"), {root.filePath("first"), root.filePath("second")},
            root.filePath("user"), [writable](const QString&) { return writable; });

        QCOMPARE(choice.folder, root.filePath(found.first() == "exe" ? "exe" : "user"));
        QStringList copied, missing;
        for (qsizetype i = 0; i < found.size(); ++i) {
            const QString name = ProgramDataFiles()[i];
            const QFileInfo file(choice.folder + '/' + name);
            QCOMPARE(FileBytes(file.filePath()),
                     (found[i].isEmpty() ? "" : found[i] + name).toLatin1());
            if (found[i].isEmpty())
                missing.append(name);
            else if (found[i] == "first" || found[i] == "second")
                copied.append(name);
            QVERIFY(!copied.contains(name) || file.permissions() & QFile::WriteOwner);
        }
        QCOMPARE(choice.copied, copied);
        QCOMPARE(choice.missing, missing);
        QVERIFY(choice.failures.isEmpty());
    }

    void installedDirsFollowPrefixThenXdg() {
        QCOMPARE(InstalledDataDirs("/opt/vw/bin", {"/usr/share", "/opt/vw/share/", "/usr/share"}),
                 (QStringList{"/opt/vw/share/varnwick", "/usr/share/varnwick"}));
    }
};

QTEST_GUILESS_MAIN(tst_ProgramFolder)
#include "tst_ProgramFolder.moc"
