#include "ListEntries.h"
#include "WindowTestState.h"
#include "engine/WizardSession.h"
#include "services/clsCdlg.h"
#include "widgets/WidgetDialogs.h"
#include "wizard/frmWizard.h"

#include <functional>
#include <memory>

namespace {
// A wizard on screen over program and game folders of its own; `dataDir` has shipped data.
// The game folder has a dot in it, as ~/.loki/ut has.
struct WizardRig : WindowTestState {
    QString gameDir = folder.filePath("U.T");
    QString textures = gameDir + "/Textures";
    clsCdlg cdlg{dialogs};
    int shutDowns = 0;
    QStringList looks; // look() after each move between steps
    std::unique_ptr<frmWizard> wizard;

    explicit WizardRig(const QString& dataDir = QString()) {
        QDir().mkpath(gameDir + "/System");
        QDir().mkpath(textures);
        WriteExampleSkins(programDir, textures);
        for (const QString name : {"SkinFormats.ini", "unreal.flt", "ModelSlots.ini"})
            if (!dataDir.isEmpty()) { // the shipped ones instead
                QFile::remove(programFile(name));
                QFile::copy(dataDir + '/' + name, programFile(name));
            }
        QFile::copy(FixturesDir() + "/BossSkins.utx", package("BossSkins.utx"));
        state.cdlg = &cdlg;
        state.settings.UTDir = gameDir;
        state.settings.TexturesDir = textures + '/';
        state.endProcess = [this] { ++shutDowns; };
        wizard = std::make_unique<frmWizard>(session, state);
        state.wizard = wizard.get();
        wizard->show();
        QVERIFY(QTest::qWaitForWindowExposed(wizard.get()));
    }

    QString package(const QString& name) const { return textures + '/' + name; }
    // The text varnwick-cli writes over the same program folder.
    QByteArray cli(const QStringList& arguments) const {
        QProcess cli;
        cli.start(BuiltBinDir() + "/varnwick-cli",
                  QStringList{"--data-dir", programDir} + arguments);
        const bool ran = cli.waitForFinished(30000) && cli.exitCode() == 0;
        return ran ? cli.readAllStandardOutput() : "failed: " + cli.readAllStandardError();
    }
    // Step one's button, its dialog answered with the package `name`.
    void open(const QString& name) {
        dialogs.files.enqueue(package(name));
        wizard->cmdOpen->click();
    }
    // Drags `urls` onto the wizard and drops them: how many of the two took them.
    int drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(wizard.get(), &enter);
        QCoreApplication::sendEvent(wizard.get(), &drop);
        QCoreApplication::processEvents(); // the drop opens once it has finished
        return int(enter.isAccepted()) + int(drop.isAccepted());
    }
    void next(int index) {
        QVERIFY(wizard->cmdNext[index]->isEnabled() && !wizard->Frame1[index]->isHidden());
        wizard->cmdNext[index]->click();
        looks << look();
    }
    void back(int index) {
        wizard->cmdBack[index]->click();
        looks << look();
    }
    // Step/panels shown, outer size, editor menus (Types, Filter): "3/3 260x245 --".
    QString look() const {
        QString text = QString::number(wizard->step()) + '/';
        for (int k = 0; k < 5; ++k)
            if (!wizard->Frame1[k]->isHidden())
                text += QString::number(k + 1);
        const QSize outer = wizard->frameGeometry().size();
        return text + QString(" %1x%2 ").arg(outer.width()).arg(outer.height()) +
               (wizard->mnuEditTypes->isEnabled() ? 'T' : '-') +
               (wizard->mnuEditFilter->isEnabled() ? 'F' : '-');
    }
};

} // namespace

class tst_frmWizard : public QObject {
    Q_OBJECT

private slots:
    void wholePath_data() {
        QTest::addColumn<QString>("name"); // in the textures folder; the game's with shipped data
        QTest::addColumn<QString>("type"); // as found; the user picks another when unknown
        QTest::newRow("known") << "SoldierSkins_Foo.utx"
                               << "SoldierSkins";
        QTest::newRow("unknown, dropped") << "Mystery_Pack.UTX"
                                          << "Unknown";
        QTest::newRow("game package, on the command line") << "BossSkins.utx"
                                                           << "BossSkins";
    }
    void wholePath() {
        QFETCH(QString, name);
        QFETCH(QString, type);
        const bool real = name == "BossSkins.utx";
        if (real)
            REQUIRE_FIXTURE(name);
        WizardRig rig(real ? BuiltBinDir() : QString());
        frmWizard& w = *rig.wizard;
        const bool unknown = type == "Unknown";
        rig.state.WindowPosReset = unknown; // for one of the rows
        rig.looks << rig.look();

        // One local package can be dropped, opening without the dialog.
        const QUrl url = QUrl::fromLocalFile(rig.package(name));
        for (const QList<QUrl>& urls : {QList{QUrl::fromLocalFile("/a.int")}, QList{url, url},
                                        QList{QUrl("https://a/b.utx")}})
            QCOMPARE(rig.drop(urls), 0);
        if (unknown)
            QCOMPARE(rig.drop({url}), 2);
        else if (real)
            w.openPackageFile(rig.package(name));
        else
            rig.open(name);
        rig.looks << rig.look();
        QCOMPARE(rig.dialogs.titles(), unknown ? QStringList{"Format Unknown"} : QStringList());
        QCOMPARE(w.lblFilename->text(), name);
        rig.next(0);
        QCOMPARE(rig.drop({url}), 0); // in step two
        QCOMPARE(w.cboInfo->currentText(), unknown ? "SoldierSkins" : type);
        if (unknown) { // the user's pick sets the rules; the key stays unknown
            w.cboInfo->setFocus();
            QTest::keyClick(w.cboInfo, Qt::Key_Down);
            QCOMPARE(w.lblSkinDesc->text(), "UT male commando");
        }
        const QString chosen = w.cboInfo->currentText();
        rig.next(1);
        QCOMPARE(QString(w.lblVerify->text()).remove(QChar(0x200b)).split("\r\n"),
                 (QStringList{"-------Skin Type-------", w.lblSkinDesc->text(), "",
                              "---------File----------", rig.package(name), "",
                              "If this is correct click next."}));
        rig.next(2);
        const QStringList found = rig.session.package().PackageItems.Names;
        QCOMPARE(ListEntries(w.lstItems), found);
        QCOMPARE(w.lblListInfo->text(), QString("%1 Items found.").arg(found.size()));
        const QPoint second = w.lstItems->visualItemRect(w.lstItems->item(1)).center();
        QTest::mouseClick(w.lstItems->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(w.lstItems->viewport(), Qt::LeftButton, {}, second);
        rig.next(3);

        // What is saved is what varnwick-cli writes for the same choices.
        const QString base = QFileInfo(name).baseName();
        const QString target = rig.gameDir + "/System/" + base + ".int";
        rig.dialogs.messages.clear();
        rig.dialogs.files.enqueue(target);
        w.cmdNext[4]->click();
        QCOMPARE(rig.dialogs.fileRequests.last().fileName, target);
        const QByteArray generated = FileBytes(target);
        QCOMPARE(generated, rig.cli({"--type", chosen, "--remove", found[1], rig.package(name)}));
        QVERIFY(generated.contains(",Class=Texture"));
        QCOMPARE(rig.dialogs.messages.last().text, "Good job. You made a skin.\r\nNow exit this, "
                                                   "fire up UT and check out your skin.");
        // The box is saved as it reads, edits included, in the game's code page.
        w.txtINT->moveCursor(QTextCursor::End);
        w.txtINT->insertPlainText("; caf\u00e9\u00a0\u20ac\nlast");
        rig.dialogs.files.enqueue(target + ".edited");
        w.cmdNext[4]->click();
        QCOMPARE(FileBytes(target + ".edited"), generated + "; caf\xe9\xa0\x80\r\nlast");
        // Coming back rebuilds step five, edits dropped; step three refills step four.
        rig.back(3);
        rig.next(3);
        QCOMPARE(w.intText().toLatin1(), generated);
        rig.back(3);
        rig.back(2);
        rig.next(2);
        QCOMPARE(ListEntries(w.lstItems), found);
        for (int i = 2; i >= 0; --i)
            rig.back(i);
        // 260x245 and 774x550 pixels are 3895x3675 and 11605x8250 twips.
        const QString four = "4/4 260x245 --", five = "5/5 454x363 --";
        QCOMPARE(rig.looks,
                 (QStringList{"1/1 260x245 TF", "1/1 260x245 --", "2/2 260x245 --",
                              "3/3 260x245 --", four, five, four, five, four, "3/3 260x245 --",
                              four, "3/3 260x245 --", "2/2 260x245 --", "1/1 260x245 TF"}));
        QVERIFY(w.lblFilename->text().isEmpty() && !w.cmdNext[0]->isEnabled());

        // Closing ends the program, keeping the placement unless it was reset.
        const QRect outer = w.frameGeometry();
        QVERIFY(w.close());
        QCOMPARE(rig.shutDowns, 1);
        QStringList placement, expected;
        for (const QString entry : {"WizTop", "WizLeft", "WizWidth", "WizHeight"})
            placement << rig.store.value("WindowPos/" + entry).toString();
        for (int pixels : {outer.top(), outer.left(), outer.width(), outer.height()})
            expected << (unknown ? QString() : QString::number(pixels * 15));
        QCOMPARE(placement, expected);
    }

    // Start to saved file with keys alone, through the real dialogs: the same
    // bytes as varnwick-cli writes with the same removal.
    void keyboardOnly() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        WidgetDialogs real(&w);
        rig.state.dialogs = &real;
        clsCdlg cdlg(real);
        rig.state.cdlg = &cdlg;
        const auto focused = [] { return QApplication::focusWidget(); };
        const auto press = [&](int key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(focused(), Qt::Key(key), modifiers);
        };
        const auto activate = [](QWidget* window) { // as a window manager does
            window->activateWindow();
            QTRY_VERIFY(window->isActiveWindow());
        };
        // The next modal windows in turn: `typed[i]` typed, then Return.
        std::function<void(QStringList)> answer = [&](QStringList typed) {
            WhenModal([&, typed](QWidget* modal) mutable {
                activate(modal);
                QTest::keyClicks(focused(), typed.takeFirst());
                if (!typed.isEmpty())
                    answer(typed);
                press(Qt::Key_Return);
            });
        };
        const QString target = rig.gameDir + "/System/SoldierSkins_Foo.int";
        WriteBytes(target, "old");

        activate(&w);
        QCOMPARE(focused(), w.cmdOpen);
        answer({rig.package("SoldierSkins_Foo.utx")});
        press(Qt::Key_Return);
        activate(&w);
        const std::array<QWidget*, 5> expected{w.cmdNext[0], w.cboInfo, w.cmdNext[2], w.lstItems,
                                               w.txtINT};
        for (int step = 1; step <= 5; ++step) {
            QCOMPARE(focused()->objectName(), expected[step - 1]->objectName());
            QVERIFY(w.testAttribute(Qt::WA_KeyboardFocusChange));
            switch (step) {
            case 2:
                press(Qt::Key_Tab), press(Qt::Key_Tab); // past Back
                break;
            case 4: // Delete drops the first name, Ctrl+R restores, Return drops the second
                press(Qt::Key_Delete);
                QCOMPARE(w.lstItems->count(), 3);
                press(Qt::Key_R, Qt::ControlModifier);
                press(Qt::Key_Down);
                press(Qt::Key_Return);
                QCOMPARE(ListEntries(w.lstItems), (QStringList{"foot1", "foot5bob", "foot5joe"}));
                for (int tabs = 0; tabs < 8 && focused() != w.cmdNext[3]; ++tabs)
                    press(Qt::Key_Tab);
                QCOMPARE(focused(), w.cmdNext[3]);
                break;
            case 5: // Ctrl+Tab types a tab; Tab only moves on
                press(Qt::Key_Tab, Qt::ControlModifier);
                QVERIFY(w.intText().contains('\t'));
                press(Qt::Key_Backspace);
                for (int tabs = 0; tabs < 8 && focused() != w.cmdNext[4]; ++tabs)
                    press(Qt::Key_Tab);
                QCOMPARE(focused(), w.cmdNext[4]);
                QVERIFY(!w.intText().contains('\t'));
                break;
            }
            if (step < 5)
                press(Qt::Key_Return);
        }
        // The save dialog proposes the file, the question replaces it, then success.
        answer({"", "", ""});
        press(Qt::Key_Return);
        QCOMPARE(FileBytes(target),
                 rig.cli({"--remove", "foot4", rig.package("SoldierSkins_Foo.utx")}));
    }
};

QTEST_MAIN(tst_frmWizard)
#include "tst_frmWizard.moc"
