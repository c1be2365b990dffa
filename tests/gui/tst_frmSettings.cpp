#include "settings/frmSettings.h"

#include "WindowTestState.h"
#include "settings/frmBrowse.h"
#include "shell/frmWizard.h"

namespace {

const QString Old = "Settings/PicView=1; Settings/Splash=2; Settings/Startup=False; "
                    "Settings/UTDir=/old; Settings/UTXDir=/skins; WindowPos/WizTop=15";
const QString Ok = "Company/Company=Orrenby-2000; ";
const QString Defaults = "Settings/PicView=0; Settings/Splash=1; Settings/Startup=True; ";

// The wizard as the menu command leaves it, on screen and disabled, and the
// settings window over it. Store entries read "Section/Key=value; ...".
struct Opened : WindowTestState {
    frmWizard wizard{state};
    QPointer<frmSettings> window;
    explicit Opened(const QString& entries) {
        for (const QString& entry : entries.split("; ", Qt::SkipEmptyParts))
            store.setValue(entry.section('=', 0, 0), entry.section('=', 1));
        state.wizard = &wizard;
        wizard.show();
        wizard.setEnabled(false);
        state.settingsWindow = window = new frmSettings(state);
        window->show();
    }
    QString stored() {
        store.sync();
        QStringList entries;
        for (const QString& key : store.allKeys())
            entries.append(key + '=' + store.value(key).toString());
        entries.sort();
        return entries.join("; ");
    }
};

} // namespace

class tst_frmSettings : public QObject {
    Q_OBJECT

private slots:
    // Restore Default Settings deletes the wizard's placement at once and
    // keeps it from being written back when the wizard closes.
    void closing_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");       // the game folder
        QTest::addColumn<QStringList>("buttons"); // clicked in turn; "" the close box
        QTest::addColumn<QString>("expected");
        QTest::newRow("OK, first run") << ""
                                       << "/ut" << QStringList{"cmdOK"}
                                       << Ok + Defaults + "Settings/UTDir=/ut; Settings/UTXDir=";
        QTest::newRow("OK keeps the rest")
            << Old << "/ut" << QStringList{"cmdOK"}
            << Ok + "Settings/PicView=1; Settings/Splash=2; Settings/Startup=True; "
                    "Settings/UTDir=/ut; Settings/UTXDir=/skins; WindowPos/WizTop=15";
        QTest::newRow("OK, no game folder") << Old << "" << QStringList{"cmdOK"} << Old;
        QTest::newRow("Cancel") << Old << "/ut" << QStringList{"cmdCancel"} << Old;
        QTest::newRow("close box") << Old << "/ut" << QStringList{""} << Old;
        QTest::newRow("Restore, Cancel")
            << Old << "/ut" << QStringList{"cmdDefault", "cmdCancel"}
            << Defaults + "Settings/UTDir=/old; Settings/UTXDir=/skins";
        QTest::newRow("Restore, OK")
            << Old << "/ut" << QStringList{"cmdDefault", "cmdOK"}
            << Ok + Defaults + "Settings/UTDir=/ut; Settings/UTXDir=/skins";
    }
    void closing() {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(QStringList, buttons);
        QFETCH(QString, expected);
        Opened o(stored);
        o.window->txtDir[1]->setText(typed);
        for (const QString& button : buttons)
            CloseWith(o.window, button);
        QCOMPARE(o.stored(), expected);
        QCOMPARE(o.state.WindowPosReset, buttons[0] == "cmdDefault");
        const bool closed = !typed.isEmpty() || buttons.last() != "cmdOK";
        QCOMPARE(o.window && o.window->isVisible(), !closed);
        QCOMPARE(o.wizard.isEnabled(), closed);
        // OK puts the settings in memory again.
        QCOMPARE(o.state.settings.UTDir, closed && buttons.last() == "cmdOK" ? typed : QString());
    }

    void browseFillsTheGameFolder_data() {
        QTest::addColumn<QString>("button"); // the picker's; "" for its close box
        QTest::newRow("OK") << "cmdOK";
        QTest::newRow("Cancel") << "cmdCancel";
        QTest::newRow("close box") << "";
    }
    void browseFillsTheGameFolder() {
        QFETCH(QString, button);
        Opened o("Settings/UTDir=/ut");
        const QString game = o.folder.filePath("Unreal Tournament");
        QVERIFY(QDir().mkpath(game));
        WhenModal([&](QWidget* picker) {
            DoubleClickEach(qobject_cast<frmBrowse*>(picker)->Dir1,
                            game.split('/', Qt::SkipEmptyParts));
            CloseWith(picker, button);
        });
        QTest::mouseClick(o.window->cmdBrowse[1], Qt::LeftButton);
        QCOMPARE(o.window->txtDir[1]->text(), button == "cmdOK" ? game : "/ut");
        QVERIFY(o.window->isVisible());
        QCOMPARE(o.stored(), QStringLiteral("Settings/UTDir=/ut"));
    }
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmSettings.moc"
