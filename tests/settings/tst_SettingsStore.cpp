#include "settings/SettingsStore.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_SettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString storePath() const { return dir.filePath(QStringLiteral("Varnwick.conf")); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir.isValid());
    }
    void cleanup() { QFile::remove(storePath()); }

    void valuesComeBackAsStored_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("folder") << QStringLiteral("/home/player/UnrealTournament");
        QTest::newRow("windows folder") << QStringLiteral("C:\\UT\\");
        QTest::newRow("commas and spaces") << QStringLiteral("a, b,c");
        QTest::newRow("truth value") << QStringLiteral("True");
        QTest::newRow("number") << QStringLiteral("0");
        QTest::newRow("quotes and equals") << QStringLiteral("x=\"y\";z");
        QTest::newRow("accents") << QStringLiteral("/jeux/Unreal Tournament \u00e9t\u00e9");
        QTest::newRow("empty") << QString();
    }
    void valuesComeBackAsStored() {
        QFETCH(QString, value);
        {
            QSettings store(storePath(), QSettings::IniFormat);
            SaveSetting(store, QStringLiteral("Settings"), QStringLiteral("UTDir"), value);
            QCOMPARE(GetSetting(store, QStringLiteral("Settings"), QStringLiteral("UTDir")), value);
        }
        // and in the next run
        QSettings store(storePath(), QSettings::IniFormat);
        QCOMPARE(GetSetting(store, QStringLiteral("Settings"), QStringLiteral("UTDir")), value);
    }

    void missingKeysReadEmpty() {
        QSettings store(storePath(), QSettings::IniFormat);
        SaveSetting(store, QStringLiteral("Settings"), QStringLiteral("UTDir"),
                    QStringLiteral("/ut"));
        QCOMPARE(GetSetting(store, QStringLiteral("Settings"), QStringLiteral("UTXDir")),
                 QString());
        QCOMPARE(GetSetting(store, QStringLiteral("Nothing"), QStringLiteral("UTDir")), QString());
    }

    void deletingASectionRemovesAllItsKeysOnly() {
        QSettings store(storePath(), QSettings::IniFormat);
        for (const char* key : {"WizTop", "WizLeft", "WizWidth", "WizHeight"})
            SaveSetting(store, QStringLiteral("WindowPos"), QLatin1String(key),
                        QStringLiteral("15"));
        SaveSetting(store, QStringLiteral("Settings"), QStringLiteral("UTDir"),
                    QStringLiteral("/ut"));

        DeleteSetting(store, QString());
        QCOMPARE(store.allKeys().size(), 5);
        DeleteSetting(store, QStringLiteral("WindowPos"));

        for (const char* key : {"WizTop", "WizLeft", "WizWidth", "WizHeight"})
            QCOMPARE(GetSetting(store, QStringLiteral("WindowPos"), QLatin1String(key)), QString());
        QCOMPARE(GetSetting(store, QStringLiteral("Settings"), QStringLiteral("UTDir")),
                 QStringLiteral("/ut"));
        QVERIFY(!store.childGroups().contains(QStringLiteral("WindowPos")));
    }

    // The program ends right after storing its window placement, so every
    // write must already be in the file.
    void writesReachTheFileAtOnce() {
        QSettings store(storePath(), QSettings::IniFormat);
        SaveSetting(store, QStringLiteral("WindowPos"), QStringLiteral("WizTop"),
                    QStringLiteral("1234"));
        QFile file(storePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("WizTop=1234"));
        file.close();

        DeleteSetting(store, QStringLiteral("WindowPos"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("WizTop"));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
