#include "settings/frmSettings.h"

#include "WindowTestState.h"
#include "shell/MenuCommands.h"

// Store entries read "Key=value; ...", a key without a section in "Settings".
const QString Old = "PicView=1; Splash=2; Startup=False; UTDir=/o; UTXDir=/s; WindowPos/WizTop=15";
const QString Ok = "Company/Company=Orrenby-2000; ",
              Defaults = "PicView=0; Splash=1; Startup=True; ";

class tst_frmSettings : public QObject {
    Q_OBJECT

private slots:
    // The window looks for the game in the home folder: a private one here.
    void initTestCase() {
        QVERIFY(home.isValid());
        qputenv("HOME", home.path().toUtf8());
    }

    // With no game folder stored the first installation found is proposed.
    void proposesTheInstalledGame() {
        const QString game = home.path() + "/.local/share/OldUnreal/UnrealTournament";
        QVERIFY(QDir().mkpath(game + "/System") && QDir().mkpath(game + "/Textures"));
        QVERIFY(WriteBytes(game + "/System/UnrealTournament.ini", ""));
        WindowTestState t;
        frmSettings window(t.store, t.dialogs, {});
        QCOMPARE(window.txtDir[1]->text(), game);
        QVERIFY(t.store.allKeys().isEmpty());
    }

    // OK stores the window (unreadable values as designed); Restore drops WindowPos.
    void closing_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("steps"); // the game folder typed, then buttons clicked
        QTest::addColumn<QString>("expected");
        QTest::newRow("unreadable")
            << "PicView=yes; Splash=7; Startup=x" << QStringList{"/ut", "cmdOK"}
            << Ok + Defaults + "UTDir=/ut; UTXDir=/ut/Textures";
        QTest::newRow("OK keeps the rest")
            << Old << QStringList{"/ut", "cmdOK"}
            << Ok + "PicView=1; Splash=2; Startup=True; UTDir=/ut; UTXDir=/s; WindowPos/WizTop=15";
        QTest::newRow("no game folder") << Old << QStringList{"", "cmdOK"} << Old;
        QTest::newRow("Cancel") << Old << QStringList{"/ut", "cmdCancel"} << Old;
        QTest::newRow("Restore, Cancel") << Old << QStringList{"/ut", "cmdDefault", "cmdCancel"}
                                         << Defaults + "UTDir=/o; UTXDir=/s";
        QTest::newRow("Restore, OK") << Old << QStringList{"/ut", "cmdDefault", "cmdOK"}
                                     << Ok + Defaults + "UTDir=/ut; UTXDir=/s";
    }
    void closing() {
        QFETCH(QString, stored);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        WindowTestState t;
        for (const QString& entry : stored.split("; ", Qt::SkipEmptyParts)) {
            const QString key = entry.section('=', 0, 0);
            t.store.setValue(key.contains('/') ? key : "Settings/" + key, entry.section('=', 1));
        }
        const QPointer<frmSettings> window = t.state.settingsWindow = NewSettingsWindow(t.state);
        window->show();
        window->txtDir[1]->setText(steps[0]);
        for (const QString& button : steps.mid(1))
            QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
        QStringList entries;
        for (const QString& key : t.store.allKeys())
            entries.append(QString(key).remove("Settings/") + '=' + t.store.value(key).toString());
        entries.sort();
        QCOMPARE(entries.join("; "), expected);
        QCOMPARE(t.state.WindowPosReset, steps[1] == "cmdDefault");
        const bool confirmed = steps.last() == "cmdOK" && !steps[0].isEmpty();
        QCOMPARE(window && window->isVisible(), steps.last() == "cmdOK" && !confirmed);
        QCOMPARE(t.state.settings.UTDir, confirmed ? steps[0] : ""); // loaded again
    }

    // Values that cannot be stored are told, naming the file, and hold for the run.
    void unstorableIsTold_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("Restore") << "cmdDefault";
        QTest::newRow("OK") << "cmdOK";
    }
    void unstorableIsTold() {
        QFETCH(QString, button);
        WindowTestState t;
        QVERIFY(QDir().mkdir(t.store.fileName())); // a folder where the file belongs
        const QPointer<frmSettings> window = NewSettingsWindow(t.state);
        for (QLineEdit* folder : window->txtDir)
            folder->setText("/ut");
        window->findChild<QPushButton*>(button)->click();
        QCOMPARE(t.dialogs.titles(), QStringList{"Settings"});
        QVERIFY(t.dialogs.messages[0].text.contains(t.store.fileName()));
        QCOMPARE(t.store.value("Settings/Startup").toString(), "True");
    }

private:
    QTemporaryDir home;
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmSettings.moc"
