#include "TestPaths.h"
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
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
