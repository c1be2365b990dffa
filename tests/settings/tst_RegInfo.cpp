#include "settings/RegInfo.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_RegInfo : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString storePath() const { return dir.filePath(QStringLiteral("Varnwick.conf")); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir.isValid());
    }
    void cleanup() { QFile::remove(storePath()); }

    void loadsTheStoredValues_data() {
        QTest::addColumn<QString>("UTDir"); // a null text is not stored at all
        QTest::addColumn<QString>("UTXDir");
        QTest::addColumn<bool>("settingsWindow");
        const QString none;
        const QString empty = QStringLiteral("");
        const QString ut = QStringLiteral("/games/ut/");
        const QString store = QStringLiteral("C:\\Skins");
        QTest::newRow("first run") << none << none << true;
        QTest::newRow("both stored") << ut << store << false;
        QTest::newRow("storage folder missing") << ut << none << true;
        QTest::newRow("storage folder stored empty") << ut << empty << true;
        QTest::newRow("game folder missing") << none << store << true;
        QTest::newRow("game folder stored empty") << empty << store << true;
    }
    void loadsTheStoredValues() {
        QFETCH(QString, UTDir);
        QFETCH(QString, UTXDir);
        QFETCH(bool, settingsWindow);
        QSettings store(storePath(), QSettings::IniFormat);
        if (!UTDir.isNull())
            SaveSetting(store, QStringLiteral("Settings"), QStringLiteral("UTDir"), UTDir);
        if (!UTXDir.isNull())
            SaveSetting(store, QStringLiteral("Settings"), QStringLiteral("UTXDir"), UTXDir);
        SaveSetting(store, QStringLiteral("Settings"), QStringLiteral("PicView"),
                    QStringLiteral("1"));
        SaveSetting(store, QStringLiteral("Settings"), QStringLiteral("Startup"),
                    QStringLiteral("False"));

        AppSettings settings;
        settings.UTDir = QStringLiteral("stale");
        settings.TexturesDir = QStringLiteral("/computed/once/Textures/");
        QCOMPARE(LoadRegInfo(store, settings), settingsWindow);

        QCOMPARE(settings.UTDir, UTDir.isNull() ? QString() : UTDir);
        QCOMPARE(settings.UTXDir, UTXDir.isNull() ? QString() : UTXDir);
        QCOMPARE(settings.PicView, QStringLiteral("1"));
        QCOMPARE(settings.TexturesDir, QStringLiteral("/computed/once/Textures/"));
        QCOMPARE(GetSetting(store, QStringLiteral("Settings"), QStringLiteral("Startup")),
                 QStringLiteral("True"));
    }

    // Folders are stored only when the user confirms the settings window.
    void storesNoFolders() {
        QSettings store(storePath(), QSettings::IniFormat);
        AppSettings settings;
        LoadRegInfo(store, settings);
        QCOMPARE(store.allKeys(), QStringList{QStringLiteral("Settings/Startup")});
    }
};

QTEST_GUILESS_MAIN(tst_RegInfo)
#include "tst_RegInfo.moc"
