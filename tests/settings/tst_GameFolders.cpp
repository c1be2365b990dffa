#include "settings/GameFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_GameFolders : public QObject {
    Q_OBJECT

private slots:
    void findsTheFolderIgnoringCase_data() {
        QTest::addColumn<QStringList>("onDisk");
        QTest::addColumn<QString>("suffix"); // what follows the game folder in UTDir
        QTest::addColumn<QString>("expected");
        const QStringList none;
        QTest::newRow("lower case") << QStringList{"system"} << ""
                                    << "system";
        QTest::newRow("upper case") << QStringList{"SYSTEM"} << ""
                                    << "SYSTEM";
        QTest::newRow("canonical") << QStringList{"System"} << ""
                                   << "System";
        QTest::newRow("missing") << none << ""
                                 << "System";
        QTest::newRow("others only") << QStringList{"Sys", "Systems", "Maps"} << ""
                                     << "System";
        QTest::newRow("trailing slash") << QStringList{"system"} << "/"
                                        << "system";
        QTest::newRow("trailing slashes") << QStringList{"SYSTEM"} << "//"
                                          << "SYSTEM";
        QTest::newRow("trailing backslash") << QStringList{"system"} << "\\"
                                            << "system";
        QTest::newRow("missing, trailing slash") << none << "/"
                                                 << "System";
        QTest::newRow("exact spelling wins") << QStringList{"SYSTEM", "System", "system"} << ""
                                             << "System";
        QTest::newRow("first in name order") << QStringList{"system", "SYSTEM"} << ""
                                             << "SYSTEM";
    }
    void findsTheFolderIgnoringCase() {
        QFETCH(QStringList, onDisk);
        QFETCH(QString, suffix);
        QFETCH(QString, expected);
        QTemporaryDir game;
        for (const QString& name : onDisk)
            QVERIFY(QDir(game.path()).mkdir(name));
        QCOMPARE(GameSubfolder(game.path() + suffix, QStringLiteral("System")),
                 game.path() + QLatin1Char('/') + expected);
    }

    void aFileOfThatNameIsNoFolder() {
        QTemporaryDir game;
        QFile file(game.filePath(QStringLiteral("textures")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(GameSubfolder(game.path(), QStringLiteral("Textures")),
                 game.path() + QStringLiteral("/Textures"));
    }

    void texturesDirEndsWithASeparator() {
        QTemporaryDir game;
        QVERIFY(QDir(game.path()).mkdir(QStringLiteral("textures")));
        QCOMPARE(TexturesDirFor(game.path() + QLatin1Char('/')),
                 game.path() + QStringLiteral("/textures/"));
        QCOMPARE(TexturesDirFor(QStringLiteral("/no/such/game")),
                 QStringLiteral("/no/such/game/Textures/"));
    }

    // Without a game folder the names lie under the root, whatever the
    // current folder holds.
    void emptyGameFolderIsNotTheCurrentFolder() {
        QTemporaryDir cwd;
        QVERIFY(QDir(cwd.path()).mkdir(QStringLiteral("sYsTeM")));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd.path()));
        const QString folder = GameSubfolder(QString(), QStringLiteral("System"));
        QDir::setCurrent(previous);
        QVERIFY(!folder.contains(QStringLiteral("sYsTeM")));
        QVERIFY(folder.startsWith(QLatin1Char('/')));
    }
};

QTEST_GUILESS_MAIN(tst_GameFolders)
#include "tst_GameFolders.moc"
