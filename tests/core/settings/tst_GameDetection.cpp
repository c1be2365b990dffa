#include "settings/GameDetection.h"

#include "TestPaths.h"
#include "UtxBuilder.h"

#include <QtTest>

namespace {

// Creates the files (and their folders) below `base`; a name ending in "/"
// is an empty folder.
void MakeTree(const QString& base, const QStringList& paths) {
    for (const QString& path : paths) {
        const QString full = base + '/' + path;
        QDir().mkpath(path.endsWith('/') ? full : QFileInfo(full).path());
        if (!path.endsWith('/'))
            QVERIFY(WriteBytes(full, path.contains("libraryfolders")
                                         ? "\"1\" { \"path\" \"" + base.toUtf8() + "/lib\" }"
                                         : QByteArray("[Core.System]\n")));
    }
}

} // namespace

class tst_GameDetection : public QObject {
    Q_OBJECT

private slots:
    // Every tree lies in a fresh temporary folder standing for both the home
    // folder ("home/") and the system's root ("root/").
    void findsTheFirstInstallation_data() {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("found");
        const QString oldUnreal = "home/.local/share/OldUnreal/UnrealTournament";
        QTest::newRow("nothing") << QStringList{"home/", "root/"} << QString();
        QTest::newRow("old port, any case")
            << QStringList{"root/usr/local/games/ut/system/UnrealTournament.ini",
                           "root/usr/local/games/ut/TEXTURES/"}
            << "root/usr/local/games/ut";
        QTest::newRow("first wins")
            << QStringList{"root/opt/ut/System/Core.int", "root/opt/ut/Textures/",
                           oldUnreal + "/System/Core.int", oldUnreal + "/Textures/"}
            << oldUnreal;
        QTest::newRow("no Textures") << QStringList{"root/opt/ut/System/Core.int"} << QString();
        QTest::newRow("System without game files")
            << QStringList{"root/opt/ut/System/readme.txt", "root/opt/ut/Textures/"} << QString();
        QTest::newRow("Steam library")
            << QStringList{"home/.steam/steam/steamapps/libraryfolders.vdf",
                           "lib/steamapps/common/Unreal Tournament/System/Engine.int",
                           "lib/steamapps/common/Unreal Tournament/Textures/"}
            << "lib/steamapps/common/Unreal Tournament";
    }
    void findsTheFirstInstallation() {
        QFETCH(QStringList, tree);
        QFETCH(QString, found);
        QTemporaryDir dir;
        MakeTree(dir.path(), tree);
        const QString result = FindGameFolder(dir.path() + "/home", dir.path() + "/root");
        QCOMPARE(result, found.isEmpty() ? QString() : dir.path() + '/' + found);
    }

    // 64-bit builds of the community patch keep their ini in System64 and
    // read the .int files of System.
    void readsIntFilesAndSearchFoldersWhereTheGameDoes() {
        QTemporaryDir dir;
        MakeTree(dir.path(), {"System/Core.int", "System64/Core.so", "textures/", "Custom/"});
        QCOMPARE(GameIntFolder(dir.path()), dir.path() + "/System");
        QVERIFY(WriteBytes(dir.path() + "/System64/UnrealTournament.ini",
                           "[Core.System]\r\nPaths=../System/*.u\r\nPaths=../Textures/*.utx\r\n"
                           "Paths=..\\Custom\\*.utx\r\n[Other]\r\nPaths=../Elsewhere/*.utx\r\n"));
        QCOMPARE(GameSearchFolders(dir.path(), "utx"),
                 QStringList({dir.path() + "/textures", dir.path() + "/Custom"}));

        QTemporaryDir only64;
        MakeTree(only64.path(), {"System64/Core.int", "System/"});
        QCOMPARE(GameIntFolder(only64.path()), only64.path() + "/System64");
        QCOMPARE(GameSearchFolders(only64.path(), "utx"), QStringList{only64.path() + "/Textures"});
    }
};

QTEST_GUILESS_MAIN(tst_GameDetection)
#include "tst_GameDetection.moc"
