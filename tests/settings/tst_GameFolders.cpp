#include "UtxBuilder.h"
#include "settings/GameFolders.h"

#include <QtTest>

class tst_GameFolders : public QObject {
    Q_OBJECT

private slots:
    void findsTheFolderIgnoringCase_data() {
        QTest::addColumn<QString>("suffix");     // what follows the game folder in UTDir
        QTest::addColumn<QStringList>("onDisk"); // folders; "file:" marks a plain file
        QTest::addColumn<QString>("expected");
        QTest::newRow("only a file") << "" << QStringList{"Sys", "file:system"} << "System";
        QTest::newRow("trailing slashes") << "//" << QStringList{"SYSTEM"} << "SYSTEM";
        QTest::newRow("trailing backslash") << "\\" << QStringList{"system"} << "system";
        QTest::newRow("exact wins") << "" << QStringList{"SYSTEM", "System", "system"} << "System";
    }
    void findsTheFolderIgnoringCase() {
        QFETCH(QString, suffix);
        QFETCH(QStringList, onDisk);
        QFETCH(QString, expected);
        QTemporaryDir game;
        for (const QString& name : onDisk)
            QVERIFY(name.startsWith("file:") ? WriteBytes(game.filePath(name.mid(5)), "")
                                             : QDir(game.path()).mkdir(name));
        QCOMPARE(GameSubfolder(game.path() + suffix, "System"), game.filePath(expected));
        QCOMPARE(TexturesDirFor(game.path() + suffix), game.filePath("Textures/"));
    }

    // Without a game folder the names lie under the root, not in the current folder.
    void emptyGameFolderIsNotTheCurrentFolder() {
        QTemporaryDir cwd;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir(cwd.path()).mkdir("sYsTeM") && QDir::setCurrent(cwd.path()));
        const QString folder = GameSubfolder(QString(), "System");
        QDir::setCurrent(previous);
        QVERIFY2(folder.startsWith('/') && !folder.contains("sYsTeM"), qPrintable(folder));
    }
};

QTEST_GUILESS_MAIN(tst_GameFolders)
#include "tst_GameFolders.moc"
