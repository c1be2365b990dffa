#include "TestPaths.h"
#include "UtxBuilder.h"
#include "settings/GameFolders.h"
#include "settings/RegInfo.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"

#include <QtTest>
#include <sys/stat.h>

namespace {
const QByteArray Valid = "; mine\n[Settings]\nStartup=True\nUTDir=/ut\n\n[Other]\nk=v\n";
}

class tst_SettingsStore : public QObject {
    Q_OBJECT

private slots:
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

    // What is found where the settings file belongs: a usable file is kept as it is until a value
    // changes; one that cannot be settings is moved aside; where nothing can be stored, the
    // values hold in memory. Each is told once, naming the file. The program ends right after
    // storing its window placement, so every change must be in the file at once.
    void opens_data() {
        QTest::addColumn<QByteArray>("file"); // null: none; "folder", "pipe": one of those
        QTest::addColumn<QString>("told");    // empty: nothing
        QTest::addColumn<QString>("outcome"); // kept, aside or memory
        const auto row = [](const char* tag, const QByteArray& file, const char* told,
                            const char* outcome) { QTest::newRow(tag) << file << told << outcome; };
        row("none", QByteArray(), "", "kept");
        row("valid, unusual", Valid, "", "kept");
        row("folder", "folder", "it is a folder", "memory");
        row("pipe", "pipe", "not a regular file", "memory");
        QByteArray random(4096, '\0');
        QRandomGenerator(6).fillRange(reinterpret_cast<quint32*>(random.data()), 1024);
        row("random bytes", random, "is not text; it was moved aside", "aside");
        row("run inside", QByteArray(Valid).insert(30, "x\x01y["), "control", "aside");
        row("no setting", Valid + "[Third\n", "line 8 that is no", "aside");
        row("huge", Valid.repeated(50000), "far larger", "aside");
    }
    void opens() {
        QFETCH(QByteArray, file);
        QFETCH(QString, told);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        const QString path = dir.filePath("Varnwick.conf");
        if (file == "folder")
            QVERIFY(QDir(dir.path()).mkdir("Varnwick.conf"));
        else if (file == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (!file.isNull())
            QVERIFY(WriteBytes(path, file));
        const QDateTime now(QDate(2026, 12, 7), QTime(1, 2, 3));

        const SettingsOpening opening = OpenSettingsStore(path, now);

        QCOMPARE(opening.messages.size(), told.isEmpty() ? 0 : 1);
        QVERIFY(told.isEmpty() ||
                (opening.messages[0].contains(path) && opening.messages[0].contains(told)));
        QCOMPARE(FileBytes(path + ".bad-20261207-010203"), outcome == "aside" ? file : "");
        QSettings& store = *opening.store;
        AppSettings settings;
        LoadRegInfo(store, settings);
        const bool valid = file == Valid;
        QCOMPARE(settings.UTDir, valid ? "/ut" : "");
        QVERIFY(!valid || FileBytes(path) == Valid); // nothing changed yet
        QCOMPARE(SaveSetting(store, "Settings", "UTDir", "/new"), outcome != "memory");
        QCOMPARE(GetSetting(store, "Settings", "UTDir"), "/new");
        QCOMPARE(QFileInfo(path).isFile() && FileBytes(path).contains("UTDir=/new"),
                 outcome != "memory");
        DeleteSetting(store, ""); // no name is no section, not every section
        DeleteSetting(store, "Settings");
        QCOMPARE(store.allKeys(), valid ? QStringList{"Other/k"} : QStringList());
        QVERIFY(outcome == "memory" || !FileBytes(path).contains("UTDir"));
        QVERIFY(SettingsNotStoredMessage(store).contains(path));
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
