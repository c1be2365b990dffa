#include "settings/RegInfo.h"
#include "settings/SettingsStore.h"

#include <QtTest>

class tst_RegInfo : public QObject {
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
            if (!UTDir.isNull())
                SaveSetting(earlierRun, "Settings", "UTDir", UTDir);
            if (!UTXDir.isNull())
                SaveSetting(earlierRun, "Settings", "UTXDir", UTXDir);
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
};

QTEST_GUILESS_MAIN(tst_RegInfo)
#include "tst_RegInfo.moc"
