#include "TestPaths.h"
#include "settings/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

class tst_SettingsStore : public QObject {
    Q_OBJECT

private slots:
    void valuesComeBackAsStored_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("windows folder") << "C:\\UT\\";
        QTest::newRow("commas, quotes, equals") << "a, b,c=\"y\";z";
        QTest::newRow("accents") << "/jeux/Unreal Tournament \u00e9t\u00e9";
        QTest::newRow("empty") << "";
    }
    void valuesComeBackAsStored() {
        QFETCH(QString, value);
        QTemporaryDir dir;
        {
            QSettings earlierRun(dir.filePath("Varnwick.conf"), QSettings::IniFormat);
            SaveSetting(earlierRun, "Settings", "UTDir", value);
        }
        QSettings store(dir.filePath("Varnwick.conf"), QSettings::IniFormat);
        QCOMPARE(GetSetting(store, "Settings", "UTDir"), value);
        QCOMPARE(GetSetting(store, "Settings", "UTXDir"), "");
    }

    // The program ends right after storing its window placement, so every
    // change must already be in the file.
    void deletingASectionRemovesItsKeysOnly() {
        QTemporaryDir dir;
        QSettings store(dir.filePath("Varnwick.conf"), QSettings::IniFormat);
        SaveSetting(store, "WindowPos", "WizTop", "1234");
        SaveSetting(store, "WindowPos", "WizLeft", "15");
        SaveSetting(store, "Settings", "UTDir", "/ut");
        QVERIFY(FileBytes(store.fileName()).contains("WizTop=1234"));
        DeleteSetting(store, ""); // no name is no section, not every section
        QCOMPARE(store.allKeys().size(), 3);

        DeleteSetting(store, "WindowPos");

        QVERIFY(!FileBytes(store.fileName()).contains("Wiz"));
        QCOMPARE(store.allKeys(), QStringList{"Settings/UTDir"});
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
