#include "settings/frmSettings.h"

#include "WindowTestState.h"

// Store entries as the tests write them: "Key=value; ...", a key without a
// section being one of "Settings".
const QString Old =
    "PicView=1; Splash=2; Startup=False; UTDir=/old; UTXDir=/skins; WindowPos/WizTop=15";
const QString Defaults = "PicView=0; Splash=1; Startup=True; ";

// The settings window over a store holding `entries`.
struct Opened : WindowTestState {
    QPointer<frmSettings> window;
    explicit Opened(const QString& entries) {
        for (const QString& entry : entries.split("; ", Qt::SkipEmptyParts)) {
            const QString key = entry.section('=', 0, 0);
            store.setValue(key.contains('/') ? key : "Settings/" + key, entry.section('=', 1));
        }
        state.settingsWindow = window = new frmSettings(state);
        window->show();
    }
    QString stored() {
        store.sync();
        QStringList entries;
        for (const QString& key : store.allKeys())
            entries.append(QString(key).remove("Settings/") + '=' + store.value(key).toString());
        entries.sort();
        return entries.join("; ");
    }
};

class tst_frmSettings : public QObject {
    Q_OBJECT

private slots:
    // OK stores what the window shows (a value it cannot read leaves the
    // control as designed). Restore Default Settings deletes the wizard's
    // placement at once and keeps it from being written back this run.
    void closing_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("steps"); // the game folder typed, then buttons clicked
        QTest::addColumn<QString>("expected");
        const QString ok = "Company/Company=Orrenby-2000; ";
        QTest::newRow("unreadable")
            << "PicView=yes; Splash=7; Startup=x" << QStringList{"/ut", "cmdOK"}
            << ok + Defaults + "UTDir=/ut; UTXDir=";
        QTest::newRow("OK keeps the rest") << Old << QStringList{"/ut", "cmdOK"}
                                           << ok + "PicView=1; Splash=2; Startup=True; UTDir=/ut; "
                                                   "UTXDir=/skins; WindowPos/WizTop=15";
        QTest::newRow("no game folder") << Old << QStringList{"", "cmdOK"} << Old;
        QTest::newRow("Cancel") << Old << QStringList{"/ut", "cmdCancel"} << Old;
        QTest::newRow("Restore, Cancel") << Old << QStringList{"/ut", "cmdDefault", "cmdCancel"}
                                         << Defaults + "UTDir=/old; UTXDir=/skins";
        QTest::newRow("Restore, OK") << Old << QStringList{"/ut", "cmdDefault", "cmdOK"}
                                     << ok + Defaults + "UTDir=/ut; UTXDir=/skins";
    }
    void closing() {
        QFETCH(QString, stored);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        Opened o(stored);
        o.window->txtDir[1]->setText(steps[0]);
        for (const QString& button : steps.mid(1))
            CloseWith(o.window, button);
        QCOMPARE(o.stored(), expected);
        QCOMPARE(o.state.WindowPosReset, steps[1] == "cmdDefault");
        const bool confirmed = steps.last() == "cmdOK" && !steps[0].isEmpty();
        QCOMPARE(o.window && o.window->isVisible(), steps.last() == "cmdOK" && !confirmed);
        QCOMPARE(o.state.settings.UTDir, confirmed ? steps[0] : ""); // loaded again
    }
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmSettings.moc"
