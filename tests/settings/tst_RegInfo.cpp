#include "settings/RegInfo.h"
#include "settings/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

class tst_RegInfo : public QObject {
    Q_OBJECT

private slots:
    void loadsTheStoredValues_data() {
        QTest::addColumn<QString>("UTDir"); // a null text is not stored at all
        QTest::addColumn<QString>("UTXDir");
        QTest::addColumn<bool>("settingsWindow");
        QTest::newRow("first run") << QString() << QString() << true;
        QTest::newRow("both stored") << QString("/games/ut/") << QString("C:\\Skins") << false;
        QTest::newRow("storage folder missing") << QString("/games/ut/") << QString() << true;
        QTest::newRow("game folder stored empty") << QString("") << QString("C:\\Skins") << true;
    }
    void loadsTheStoredValues() {
        QFETCH(QString, UTDir);
        QFETCH(QString, UTXDir);
        QFETCH(bool, settingsWindow);
        QTemporaryDir dir;
        QSettings store(dir.filePath("Varnwick.conf"), QSettings::IniFormat);
        if (!UTDir.isNull())
            SaveSetting(store, "Settings", "UTDir", UTDir);
        if (!UTXDir.isNull())
            SaveSetting(store, "Settings", "UTXDir", UTXDir);
        SaveSetting(store, "Settings", "PicView", "1");
        SaveSetting(store, "Settings", "Startup", "False");
        AppSettings settings;
        settings.UTDir = "stale";

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
