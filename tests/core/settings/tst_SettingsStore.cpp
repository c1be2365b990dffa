#include "TestPaths.h"
#include "UtxBuilder.h"
#include "settings/GameFolders.h"
#include "settings/RegInfo.h"
#include "settings/SettingsStore.h"

#include <QtTest>

class tst_SettingsStore : public QObject {
    Q_OBJECT

private slots:
    // The program ends right after storing its window placement, so every
    // change must be in the file at once.
    void changesReachTheFileAtOnce() {
        QTemporaryDir dir;
        QSettings store(dir.filePath("Varnwick.conf"), QSettings::IniFormat);
        SaveSetting(store, "Settings", "UTDir", "/ut");
        SaveSetting(store, "WindowPos", "WizTop", "1234");
        QVERIFY(FileBytes(store.fileName()).contains("WizTop=1234"));
        QCOMPARE(GetSetting(store, "Settings", "UTXDir") + GetSetting(store, "Nothing", "UTDir"),
                 "");
        DeleteSetting(store, ""); // no name is no section, not every section
        QCOMPARE(store.allKeys().size(), 2);

        DeleteSetting(store, "WindowPos");

        QVERIFY(!FileBytes(store.fileName()).contains("WizTop"));
        QCOMPARE(store.allKeys(), QStringList{"Settings/UTDir"});
    }

    // A run stores the folders; the next run loads them as they were stored.
    void loadsTheStoredValues_data() {
        QTest::addColumn<QString>("UTDir"); // a null text is not stored at all
        QTest::addColumn<QString>("UTXDir");
        QTest::addColumn<bool>("settingsWindow");
        const QString none, ut = "C:\\UT\\ a, b=\"y\";z", skins = "/jeux/\u00e9t\u00e9";
        QTest::newRow("first run") << none << none << true;
        QTest::newRow("both stored") << ut << skins << false;
        QTest::newRow("game folder stored empty") << QString("") << skins << true;
    }
    void loadsTheStoredValues() {
        QFETCH(QString, UTDir);
        QFETCH(QString, UTXDir);
        QFETCH(bool, settingsWindow);
        QTemporaryDir dir;
        {
            QSettings earlierRun(dir.filePath("Varnwick.conf"), QSettings::IniFormat);
            for (const auto& [key, value] : {std::pair("UTDir", UTDir), {"UTXDir", UTXDir}})
                if (!value.isNull())
                    SaveSetting(earlierRun, "Settings", key, value);
            SaveSetting(earlierRun, "Settings", "PicView", "1");
        }
        QSettings store(dir.filePath("Varnwick.conf"), QSettings::IniFormat);
        AppSettings settings;

        QCOMPARE(LoadRegInfo(store, settings), settingsWindow);

        QCOMPARE(QStringList({settings.UTDir, settings.UTXDir, settings.PicView}),
                 QStringList({UTDir, UTXDir, "1"}));
        QCOMPARE(GetSetting(store, "Settings", "Startup"), "True");
        // Folders are stored only when the user confirms the settings window.
        QCOMPARE(store.contains("Settings/UTDir"), !UTDir.isNull());
    }

    // The game's folders under the stored one.
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

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
