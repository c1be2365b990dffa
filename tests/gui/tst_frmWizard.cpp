#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/FilterList.h"
#include "engine/ScriptWriter.h"
#include "services/clsCdlg.h"
#include "shell/AppState.h"
#include "shell/ItemReview.h"
#include "shell/frmWizard.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QByteArray Catalogue = "[SoldierSkins]\r\n"
                             "Excl=\"team\"\r\n"
                             "SkinC=\"1\"\r\n"
                             "Name=\"5\"\r\n"
                             "Grup=\"4\"\r\n"
                             "Desc=\"UT male soldier\"\r\n"
                             "\r\n"
                             "[CommandoSkins]\r\n"
                             "Excl=\"team\"\r\n"
                             "SkinC=\"1\"\r\n"
                             "Name=\"2\"\r\n"
                             "Grup=\"5\"\r\n"
                             "Desc=\"UT male commando\"\r\n"
                             "\r\n";

// The text step five shows for SoldierSkins_Foo.utx with every name kept.
const QString SoldierText =
    QStringLiteral("[public]\r\n"
                   "Object=(Name=SoldierSkins_Foo.foot1,Class=Texture,Description="
                   "\"SoldierSkinsfoot1\")\r\n"
                   "Object=(Name=SoldierSkins_Foo.foot2,Class=Texture)\r\n"
                   "Object=(Name=SoldierSkins_Foo.foot3,Class=Texture)\r\n"
                   "Object=(Name=SoldierSkins_Foo.foot4,Class=Texture)\r\n"
                   "\r\n"
                   "Object=(Name=SoldierSkins_Foo.foot5bob,Class=Texture,Description=\"Bob\")\r\n"
                   "Object=(Name=SoldierSkins_Foo.foot5joe,Class=Texture,Description=\"Joe\")\r\n");

const QStringList SoldierNames{QStringLiteral("foot1"),    QStringLiteral("foot2"),
                               QStringLiteral("foot3"),    QStringLiteral("foot4"),
                               QStringLiteral("foot5bob"), QStringLiteral("foot5joe")};

const QString Success = QStringLiteral(
    "Good job. You made a skin.\r\nNow exit this, fire up UT and check out your skin.");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int Twips(int pixels) {
    return pixels * 15;
}

// A wizard over a program folder, a game folder and a settings store of its
// own, with scripted dialogs.
struct WizardRig {
    QTemporaryDir folder;
    QString programDir = folder.filePath(QStringLiteral("program"));
    QString gameDir = folder.filePath(QStringLiteral("game"));
    QString textures = gameDir + QStringLiteral("/Textures");
    QSettings store{folder.filePath(QStringLiteral("store.ini")), QSettings::IniFormat};
    ScriptedDialogs dialogs;
    clsCdlg cdlg{dialogs};
    AppState state;
    int shutDowns = 0;
    std::unique_ptr<frmWizard> wizard;

    explicit WizardRig(const QString& dataDir = QString()) {
        QDir().mkpath(programDir);
        QDir().mkpath(textures);
        QDir().mkpath(gameDir + QStringLiteral("/System"));
        if (dataDir.isEmpty()) {
            WriteBytes(programFile("SkinFormats.ini"), Catalogue);
            const QStringList filter{QStringLiteral("none"), QStringLiteral("internaltime"),
                                     QStringLiteral("color"), QStringLiteral("texture")};
            WriteBytes(programFile("unreal.flt"), EncodeFilterFile(filter).value_or(QByteArray()));
        } else {
            for (const char* name : {"SkinFormats.ini", "unreal.flt"})
                QFile::copy(dataDir + QLatin1Char('/') + QLatin1String(name), programFile(name));
        }
        WriteBytes(
            package("SoldierSkins_Foo.utx"),
            BuildUtx64({QStringLiteral("None"), QStringLiteral("InternalTime"),
                        QStringLiteral("foot5joe"), QStringLiteral("SoldierSkins_Foo"),
                        QStringLiteral("foot2"), QStringLiteral("foot1"), QStringLiteral("Color"),
                        QStringLiteral("foot3"), QStringLiteral("foot5bob"),
                        QStringLiteral("foot4"), QStringLiteral("Texture")}));
        WriteBytes(package("Mystery_Pack.utx"),
                   BuildUtx60({QStringLiteral("None"), QStringLiteral("abc1"),
                               QStringLiteral("abc2"), QStringLiteral("abcd3")}));
        WriteBytes(package("Broken.utx"), QByteArray("this is not a package at all"));

        state.programDir = programDir;
        state.store = &store;
        state.dialogs = &dialogs;
        state.cdlg = &cdlg;
        state.settings.UTDir = gameDir;
        state.settings.UTXDir = gameDir;
        state.settings.TexturesDir = textures + QLatin1Char('/');
        state.endProcess = [this] { ++shutDowns; };
        wizard = std::make_unique<frmWizard>(state);
        state.wizard = wizard.get();
    }

    QString programFile(const char* name) const {
        return programDir + QLatin1Char('/') + QLatin1String(name);
    }
    QString package(const QString& name) const { return textures + QLatin1Char('/') + name; }

    // Step one's button with the dialog answered by `path` (nothing: cancel).
    void open(const std::optional<QString>& path) {
        dialogs.files.enqueue(path);
        wizard->cmdOpen->click();
    }
    void next(int index) {
        QVERIFY(wizard->cmdNext[index]->isEnabled());
        QVERIFY(!wizard->Frame1[index]->isHidden());
        wizard->cmdNext[index]->click();
    }
    void back(int index) {
        QVERIFY(!wizard->Frame1[index + 1]->isHidden());
        wizard->cmdBack[index]->click();
    }
    // A package open and the wizard moved on to `step`.
    void walkTo(int step, const QString& name = QStringLiteral("SoldierSkins_Foo.utx")) {
        open(package(name));
        for (int i = 0; i < step - 1; ++i)
            next(i);
    }
    void saveAs(const QString& target) {
        dialogs.files.enqueue(target);
        wizard->cmdNext[4]->click();
    }
    QStringList messageTexts() const {
        QStringList texts;
        for (const ScriptedDialogs::Message& message : dialogs.messages)
            texts.append(message.text);
        return texts;
    }
    QSize outerTwips() const {
        const QSize outer = wizard->frameGeometry().size();
        return QSize(Twips(outer.width()), Twips(outer.height()));
    }
};

} // namespace

class tst_frmWizard : public QObject {
    Q_OBJECT

private slots:
    void loadShowsStepOne() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        QCOMPARE(w.windowTitle(), QStringLiteral("Varnwick Pro - Wizard"));
        QCOMPARE(w.step(), 1);
        QVERIFY(!w.Frame1[0]->isHidden());
        for (int k = 1; k < 5; ++k)
            QVERIFY(w.Frame1[k]->isHidden());
        QVERIFY(!w.cmdNext[0]->isEnabled());
        QVERIFY(w.lblFilename->text().isEmpty());
        QVERIFY(w.lstBackup->isHidden());
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));

        // The type list is filled and its first entry selected.
        QCOMPARE(w.cboInfo->count(), 2);
        QCOMPARE(w.cboInfo->currentIndex(), 0);
        QCOMPARE(w.cboInfo->currentText(), QStringLiteral("SoldierSkins"));
        QCOMPARE(w.lblSkinDesc->text(), QStringLiteral("UT male soldier"));
        QCOMPARE(rig.state.catalogue.CurrentSkin.SkinChar, QStringLiteral("1"));
        QVERIFY(rig.state.catalogue.CurrentSkin.Key.isEmpty());
    }

    // Linux lacks the design's fonts; the fallbacks must neither cut a
    // caption off nor shrink the small type out of legibility.
    void captionsFitTheirControls() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        for (QPushButton* button : w.findChildren<QPushButton*>()) {
            const int needed = button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(needed < button->width(), qPrintable(button->objectName()));
        }
        for (QLabel* label : w.findChildren<QLabel*>()) {
            const QRect room = label->contentsRect();
            const QRect needed = label->fontMetrics().boundingRect(
                room, label->alignment() | (label->wordWrap() ? Qt::TextWordWrap : 0),
                label->text());
            QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                     qPrintable(label->objectName()));
        }
        for (QWidget* small : {static_cast<QWidget*>(w.txtINT), static_cast<QWidget*>(w.lstItems),
                               static_cast<QWidget*>(w.Label1)})
            QVERIFY(QFontInfo(small->font()).pixelSize() >= 9);
    }

    void menuEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("settings") << "mnuSettings"
                                  << "&Settings" << QKeySequence(QStringLiteral("Ctrl+S")) << true;
        QTest::newRow("script") << "mnuEditScript"
                                << "Edit S&cript" << QKeySequence() << false;
        QTest::newRow("types") << "mnuEditTypes"
                               << "Edit &Types" << QKeySequence() << true;
        QTest::newRow("filter") << "mnuEditFilter"
                                << "Edit &Filter" << QKeySequence() << true;
        QTest::newRow("tutorial") << "mnuTutorial"
                                  << "&Tutorial" << QKeySequence(QStringLiteral("Ctrl+T")) << true;
        QTest::newRow("about") << "mnuAbout"
                               << "&About" << QKeySequence(QStringLiteral("Ctrl+A")) << true;
    }
    void menuEntries() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabled);
        WizardRig rig;
        auto* action = rig.wizard->findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isEnabled(), enabled);
        const QList<QAction*> menus = rig.wizard->menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Options"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Help"));
    }

    void windowFollowsTheSteps() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        w.move(40, 30);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint corner = w.frameGeometry().topLeft();
        const QSize small = rig.outerTwips();
        QVERIFY(qAbs(small.width() - 3895) <= 15);
        QVERIFY(qAbs(small.height() - 3675) <= 15);

        rig.walkTo(5);
        const QSize large = rig.outerTwips();
        QVERIFY(qAbs(large.width() - 6805) <= 15);
        QVERIFY(qAbs(large.height() - 5445) <= 15);
        QCOMPARE(w.frameGeometry().topLeft(), corner);

        // Each panel lies wholly in the window, below the menu bar.
        for (int back = 3; back >= 0; --back) {
            QGroupBox* shown = w.Frame1[back + 1];
            const QRect panel(shown->mapTo(&w, QPoint(0, 0)), shown->size());
            QVERIFY(w.rect().contains(panel));
            QVERIFY(panel.top() >= w.menuBar()->geometry().bottom());
            rig.back(back);
            QCOMPARE(rig.outerTwips(), small);
            QCOMPARE(w.frameGeometry().topLeft(), corner);
        }
        QCOMPARE(w.step(), 1);
    }

    void openingGuessesTheType() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        rig.open(rig.package("SoldierSkins_Foo.utx"));

        QCOMPARE(rig.dialogs.fileRequests.size(), 1);
        const Dialogs::FileRequest& request = rig.dialogs.fileRequests.first();
        QVERIFY(!request.save);
        QCOMPARE(QDir::cleanPath(request.initialDir), rig.textures);
        QCOMPARE(request.filter, QStringLiteral("UTX Files (*.utx);;All Files (*)"));
        QVERIFY(request.fileName.isEmpty());
        QVERIFY(rig.dialogs.messages.isEmpty());

        QCOMPARE(w.lblFilename->text(), QStringLiteral("SoldierSkins_Foo.utx"));
        QVERIFY(w.cmdNext[0]->isEnabled());
        QCOMPARE(rig.state.session.UTXPath, rig.package("SoldierSkins_Foo.utx"));
        QCOMPARE(rig.state.session.PackageItems.Names, SoldierNames);
        QCOMPARE(w.cboInfo->currentText(), QStringLiteral("SoldierSkins"));
        QCOMPARE(rig.state.catalogue.CurrentSkin.Key, QStringLiteral("SoldierSkins"));
    }

    void unknownFormatKeepsThePackageOpen() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        rig.open(rig.package("Mystery_Pack.utx"));
        QCOMPARE(rig.dialogs.messages.size(), 1);
        QCOMPARE(rig.dialogs.messages[0].text, QStringLiteral("Select the correct skin type."));
        QCOMPARE(rig.dialogs.messages[0].title, QStringLiteral("Format Unknown"));
        QCOMPARE(rig.dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
        QCOMPARE(w.lblFilename->text(), QStringLiteral("Mystery_Pack.utx"));

        // Step two offers the first type; the key stays unknown, the rules
        // follow the selection.
        rig.next(0);
        QCOMPARE(w.cboInfo->currentIndex(), 0);
        const SkinFormat& skin = rig.state.catalogue.CurrentSkin;
        QCOMPARE(skin.Key, QStringLiteral("Unknown"));
        QCOMPARE(skin.ExcludeText, QStringLiteral("team"));
        QCOMPARE(skin.NamedChar, QStringLiteral("5"));
        QCOMPARE(w.lblSkinDesc->text(), QStringLiteral("UT male soldier"));

        // A pick of the user's own is what step three shows.
        w.cboInfo->setFocus();
        QTest::keyClick(w.cboInfo, Qt::Key_Down);
        QCOMPARE(w.cboInfo->currentText(), QStringLiteral("CommandoSkins"));
        QCOMPARE(skin.NamedChar, QStringLiteral("2"));
        QCOMPARE(skin.Key, QStringLiteral("Unknown"));
        rig.next(1);
        QCOMPARE(w.lblVerify->text().split(QStringLiteral("\r\n")).value(1),
                 QStringLiteral("UT male commando"));
    }

    void stepTwoSelectsTheGuessAgain() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        rig.walkTo(2);
        w.cboInfo->setFocus();
        QTest::keyClick(w.cboInfo, Qt::Key_Down);
        QCOMPARE(w.lblSkinDesc->text(), QStringLiteral("UT male commando"));
        rig.back(0);
        QVERIFY(w.lblFilename->text().isEmpty());
        QVERIFY(!w.cmdNext[0]->isEnabled());

        // A cancelled open shows the package still open and refills the list.
        rig.open(std::nullopt);
        QCOMPARE(w.lblFilename->text(), QStringLiteral("SoldierSkins_Foo.utx"));
        QVERIFY(w.cmdNext[0]->isEnabled());
        QCOMPARE(w.cboInfo->currentIndex(), 0);
        rig.next(0);
        QCOMPARE(w.cboInfo->currentText(), QStringLiteral("SoldierSkins"));
        QCOMPARE(w.lblSkinDesc->text(), QStringLiteral("UT male soldier"));
        QCOMPARE(rig.state.catalogue.CurrentSkin.NamedChar, QStringLiteral("5"));
    }

    void cancelledOpenWithoutPackage() {
        WizardRig rig;
        rig.open(std::nullopt);
        QVERIFY(rig.wizard->lblFilename->text().isEmpty());
        QVERIFY(!rig.wizard->cmdNext[0]->isEnabled());
        QVERIFY(rig.state.session.UTXPath.isEmpty());
        QVERIFY(rig.dialogs.messages.isEmpty());
    }

    void unreadableFileChangesNothing_data() {
        QTest::addColumn<bool>("wentBack");
        QTest::newRow("right after an open") << false;
        QTest::newRow("after going back to step one") << true;
    }
    void unreadableFileChangesNothing() {
        QFETCH(bool, wentBack);
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        if (wentBack) {
            rig.walkTo(2);
            w.cboInfo->setFocus();
            QTest::keyClick(w.cboInfo, Qt::Key_Down);
            rig.back(0);
        } else {
            rig.open(rig.package("SoldierSkins_Foo.utx"));
        }

        const QString label = w.lblFilename->text();
        const bool nextEnabled = w.cmdNext[0]->isEnabled();
        const int typeIndex = w.cboInfo->currentIndex();
        const QString description = w.lblSkinDesc->text();
        const SkinFormat skin = rig.state.catalogue.CurrentSkin;
        const PackageSession session = rig.state.session;

        rig.open(rig.package("Broken.utx"));
        QCOMPARE(rig.dialogs.messages.size(), 1); // the package cannot be read
        QCOMPARE(w.lblFilename->text(), label);
        QCOMPARE(w.cmdNext[0]->isEnabled(), nextEnabled);
        QCOMPARE(w.cboInfo->currentIndex(), typeIndex);
        QCOMPARE(w.lblSkinDesc->text(), description);
        QCOMPARE(rig.state.catalogue.CurrentSkin, skin);
        QCOMPARE(rig.state.session.UTXPath, session.UTXPath);
        QCOMPARE(rig.state.session.PackageItems, session.PackageItems);
    }

    void verificationTextHasSevenLines() {
        WizardRig rig;
        rig.walkTo(3);
        const QStringList lines = rig.wizard->lblVerify->text().split(QStringLiteral("\r\n"));
        const QStringList expected{QStringLiteral("-------Skin Type-------"),
                                   QStringLiteral("UT male soldier"),
                                   QString(),
                                   QStringLiteral("---------File----------"),
                                   rig.package("SoldierSkins_Foo.utx"),
                                   QString(),
                                   QStringLiteral("If this is correct click next.")};
        QCOMPARE(lines, expected);
    }

    void reviewRemovesAndRestores() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        rig.walkTo(4);
        QCOMPARE(ListEntries(w.lstItems), SoldierNames);
        QCOMPARE(ListEntries(w.lstBackup), SoldierNames);
        QCOMPARE(w.lblListInfo->text(), QStringLiteral("6 Items found."));

        const auto doubleClick = [&w](int row) {
            // The list lays its entries out once it is on screen.
            QTRY_VERIFY(w.lstItems->visualItemRect(w.lstItems->item(row)).isValid());
            const QPoint at = w.lstItems->visualItemRect(w.lstItems->item(row)).center();
            // What a double click delivers: a click, then the double click.
            QTest::mouseClick(w.lstItems->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(w.lstItems->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(1);
        doubleClick(3);
        QCOMPARE(ListEntries(w.lstItems),
                 (QStringList{QStringLiteral("foot1"), QStringLiteral("foot3"),
                              QStringLiteral("foot4"), QStringLiteral("foot5joe")}));
        QCOMPARE(w.lblListInfo->text(), QStringLiteral("4 Items found."));

        // A double click below the last entry removes nothing.
        const QPoint below(5, w.lstItems->viewport()->height() - 2);
        QTest::mouseClick(w.lstItems->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseDClick(w.lstItems->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(w.lstItems->count(), 4);

        QTest::mouseClick(w.lblListInfo, Qt::LeftButton);
        QCOMPARE(ListEntries(w.lstItems), SoldierNames);
        QCOMPARE(w.lblListInfo->text(), QStringLiteral("6 Items found."));

        // Five and back keeps the pruned list; three and on refills it.
        doubleClick(0);
        rig.next(3);
        QVERIFY(!rig.wizard->txtINT->toPlainText().contains(QStringLiteral(".foot1,")));
        rig.back(3);
        QCOMPARE(w.lstItems->count(), 5);
        QCOMPARE(w.lblListInfo->text(), QStringLiteral("5 Items found."));
        rig.back(2);
        rig.next(2);
        QCOMPARE(ListEntries(w.lstItems), SoldierNames);
        QCOMPARE(w.lblListInfo->text(), QStringLiteral("6 Items found."));
    }

    void stepFiveIsRegeneratedOnEachEntry() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        rig.walkTo(5);
        QCOMPARE(w.intText(), SoldierText);
        w.txtINT->setPlainText(QStringLiteral("my own edits"));
        rig.back(3);
        rig.next(3);
        QCOMPARE(w.intText(), SoldierText);
    }

    void emptyReviewGivesTheHeaderOnly() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        rig.walkTo(4);
        w.lstItems->clear();
        rig.next(3);
        QCOMPARE(w.step(), 5);
        QCOMPARE(w.intText(), QStringLiteral("[public]\r\n"));
    }

    void saveWritesTheTextBox_data() {
        QTest::addColumn<QByteArray>("existing"); // null: no file there
        QTest::addColumn<bool>("asked");
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("new file") << QByteArray() << false << Dialogs::Answer::Ok << true;
        QTest::newRow("longer file replaced")
            << QByteArray(20000, 'x') << true << Dialogs::Answer::Yes << true;
        QTest::newRow("answer no")
            << QByteArray("old text") << true << Dialogs::Answer::No << false;
        QTest::newRow("empty file replaced without asking")
            << QByteArray("") << false << Dialogs::Answer::Ok << true;
    }
    void saveWritesTheTextBox() {
        QFETCH(QByteArray, existing);
        QFETCH(bool, asked);
        QFETCH(Dialogs::Answer, answer);
        QFETCH(bool, written);
        WizardRig rig;
        rig.walkTo(5);
        const QString target = rig.gameDir + QStringLiteral("/System/SoldierSkins_Foo.int");
        if (!existing.isNull())
            QVERIFY(WriteBytes(target, existing));
        if (asked)
            rig.dialogs.answers.enqueue(answer);
        rig.saveAs(target);

        const Dialogs::FileRequest& request = rig.dialogs.fileRequests.last();
        QVERIFY(request.save);
        QCOMPARE(request.fileName, target);
        QCOMPARE(QDir::cleanPath(request.initialDir), rig.gameDir + QStringLiteral("/System"));
        QCOMPARE(request.filter, QStringLiteral("INT Files (*.int);;All Files (*)"));

        QStringList expectedMessages;
        if (asked)
            expectedMessages.append(
                QStringLiteral("Are you sure you want to overwrite this file."));
        if (written)
            expectedMessages.append(Success);
        QCOMPARE(rig.messageTexts(), expectedMessages);
        QCOMPARE(ReadAll(target), written ? SoldierText.toLatin1() : existing);
        QCOMPARE(rig.wizard->step(), 5);
    }

    void saveKeepsTheUsersEdits() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        rig.walkTo(5);
        w.txtINT->moveCursor(QTextCursor::End);
        w.txtINT->insertPlainText(QStringLiteral("; caf\u00e9\u00a0\u20ac"));
        QTest::keyClick(w.txtINT, Qt::Key_Return);
        QTest::keyClicks(w.txtINT, QStringLiteral("last"));
        const QString target = rig.gameDir + QStringLiteral("/System/Mine.int");
        rig.saveAs(target);
        QCOMPARE(ReadAll(target), SoldierText.toLatin1() + "; caf\xe9\xa0\x80\r\nlast");

        // Each press runs the whole save again.
        const QString again = rig.gameDir + QStringLiteral("/System/Again.int");
        rig.saveAs(again);
        QCOMPARE(ReadAll(again), ReadAll(target));
        QCOMPARE(rig.dialogs.fileRequests.size(), 3);
        QCOMPARE(rig.messageTexts(), QStringList({Success, Success}));
    }

    void failedSaveIsReportedNotCongratulated_data() {
        QTest::addColumn<QString>("target"); // relative to the game folder
        QTest::addColumn<QString>("typed");
        QTest::newRow("folder is a file") << "Textures/SoldierSkins_Foo.utx/x.int" << QString();
        QTest::newRow("missing folder") << "NoSuchFolder/x.int" << QString();
        QTest::newRow("character outside the code page")
            << "System/x.int" << QStringLiteral("\u03a9");
    }
    void failedSaveIsReportedNotCongratulated() {
        QFETCH(QString, target);
        QFETCH(QString, typed);
        WizardRig rig;
        rig.walkTo(5);
        rig.wizard->txtINT->moveCursor(QTextCursor::End);
        rig.wizard->txtINT->insertPlainText(typed);
        const QString path = rig.gameDir + QLatin1Char('/') + target;
        rig.saveAs(path);
        QCOMPARE(rig.dialogs.messages.size(), 1);
        QVERIFY(rig.dialogs.messages[0].text != Success);
        QVERIFY(!rig.dialogs.messages[0].text.isEmpty());
        QVERIFY(!QFileInfo(path).isFile());
        QCOMPARE(rig.wizard->step(), 5);
    }

    void cancelledSaveWritesNothing() {
        WizardRig rig;
        rig.walkTo(5);
        rig.dialogs.files.enqueue(std::nullopt);
        rig.wizard->cmdNext[4]->click();
        QVERIFY(rig.dialogs.messages.isEmpty());
        QVERIFY(QDir(rig.gameDir + QStringLiteral("/System")).isEmpty());
    }

    void editorMenusOnlyInStepOneBeforeAnOpen() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        const QString on = QStringLiteral("on"), off = QStringLiteral("off");
        // The two editors are always enabled together.
        const auto editors = [&w] {
            if (w.mnuEditTypes->isEnabled() != w.mnuEditFilter->isEnabled())
                return QStringLiteral("mixed");
            return w.mnuEditTypes->isEnabled() ? QStringLiteral("on") : QStringLiteral("off");
        };
        QCOMPARE(editors(), on);
        rig.open(std::nullopt);
        QCOMPARE(editors(), off);
        rig.open(rig.package("SoldierSkins_Foo.utx"));
        QCOMPARE(editors(), off);
        rig.next(0);
        QCOMPARE(editors(), off);
        rig.back(0);
        QCOMPARE(editors(), on);
        rig.open(rig.package("SoldierSkins_Foo.utx"));
        for (int i = 0; i < 4; ++i) {
            rig.next(i);
            QCOMPARE(editors(), off);
        }
        for (int i = 3; i >= 1; --i) {
            rig.back(i);
            QCOMPARE(editors(), off);
        }
        rig.back(0);
        QCOMPARE(editors(), on);
        QVERIFY(!w.mnuEditScript->isEnabled());
    }

    void dragAcceptance_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("inStepTwo");
        QTest::addColumn<bool>("accepted");
        const QUrl package = QUrl::fromLocalFile(QStringLiteral("/tmp/A_Skins.utx"));
        QTest::newRow("package") << QList<QUrl>{package} << false << true;
        QTest::newRow("upper-case extension")
            << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/A.UTX"))} << false << true;
        QTest::newRow("other file")
            << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/a.int"))} << false << false;
        QTest::newRow("two packages") << QList<QUrl>{package, package} << false << false;
        QTest::newRow("remote package")
            << QList<QUrl>{QUrl(QStringLiteral("https://example.com/a.utx"))} << false << false;
        QTest::newRow("package in step two") << QList<QUrl>{package} << true << false;
    }
    void dragAcceptance() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, inStepTwo);
        QFETCH(bool, accepted);
        WizardRig rig;
        if (inStepTwo)
            rig.walkTo(2);
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(rig.wizard.get(), &enter);
        QCOMPARE(enter.isAccepted(), accepted);
    }

    void droppedPackageOpensWithoutDialog() {
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(rig.package("Mystery_Pack.utx"))});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &drop);
        QTRY_COMPARE(w.lblFilename->text(), QStringLiteral("Mystery_Pack.utx"));
        QVERIFY(rig.dialogs.fileRequests.isEmpty());
        QCOMPARE(rig.messageTexts(), QStringList{QStringLiteral("Select the correct skin type.")});
        QVERIFY(w.cmdNext[0]->isEnabled());
        QVERIFY(!w.mnuEditTypes->isEnabled());
        QCOMPARE(rig.state.session.UTXPath, rig.package("Mystery_Pack.utx"));
    }

    void closeStoresPlacementAndEnds_data() {
        QTest::addColumn<bool>("reset");
        QTest::newRow("placement kept") << false;
        QTest::newRow("placement reset in this run") << true;
    }
    void closeStoresPlacementAndEnds() {
        QFETCH(bool, reset);
        WizardRig rig;
        frmWizard& w = *rig.wizard;
        rig.state.WindowPosReset = reset;
        w.move(64, 48);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        rig.walkTo(5);
        const QRect outer = w.frameGeometry();
        QVERIFY(w.close());
        QCOMPARE(rig.shutDowns, 1);
        rig.store.sync();
        if (reset) {
            QVERIFY(!rig.store.childGroups().contains(QStringLiteral("WindowPos")));
            return;
        }
        rig.store.beginGroup(QStringLiteral("WindowPos"));
        QCOMPARE(rig.store.value(QStringLiteral("WizTop")).toString(),
                 QString::number(Twips(outer.top())));
        QCOMPARE(rig.store.value(QStringLiteral("WizLeft")).toString(),
                 QString::number(Twips(outer.left())));
        QCOMPARE(rig.store.value(QStringLiteral("WizWidth")).toString(),
                 QString::number(Twips(outer.width())));
        QCOMPARE(rig.store.value(QStringLiteral("WizHeight")).toString(),
                 QString::number(Twips(outer.height())));
    }

    // A real game package with the shipped catalogue and filter list, from
    // the first step to the saved file.
    void realPackageFromStartToSave() {
        REQUIRE_FIXTURE("BossSkins.utx");
        WizardRig rig(BuiltBinDir());
        frmWizard& w = *rig.wizard;
        QVERIFY(QFile::copy(FixturesDir() + QStringLiteral("/BossSkins.utx"),
                            rig.package("BossSkins.utx")));
        rig.walkTo(2, QStringLiteral("BossSkins.utx"));
        QVERIFY(rig.dialogs.messages.isEmpty());
        QCOMPARE(w.cboInfo->currentText(), QStringLiteral("BossSkins"));
        rig.next(1);
        rig.next(2);
        const QStringList found = rig.state.session.PackageItems.Names;
        QVERIFY(!found.isEmpty());
        QCOMPARE(ListEntries(w.lstItems), found);
        QCOMPARE(w.lblListInfo->text(), CountCaption(int(found.size())));
        rig.next(3);
        QVERIFY(w.intText().startsWith(QStringLiteral("[public]\r\n")));

        // Every texture the game lists for this package is written.
        const QString games = QString::fromLatin1(ReadAll(FixturesDir() + "/BossSkins.int"));
        for (const QString& line : games.split(QStringLiteral("\r\n"))) {
            if (!line.startsWith(QStringLiteral("Object=")))
                continue;
            const QString name = line.section(QLatin1Char(','), 0, 0);
            QVERIFY2(w.intText().contains(name, Qt::CaseInsensitive), qPrintable(name));
        }

        const QString target = rig.gameDir + QStringLiteral("/System/BossSkins.int");
        rig.saveAs(target);
        QCOMPARE(rig.dialogs.fileRequests.last().fileName, target);
        QCOMPARE(ReadAll(target), w.intText().toLatin1());
        QCOMPARE(rig.messageTexts(), QStringList{Success});
    }

    void realPackageOfUnknownType() {
        REQUIRE_FIXTURE("DacomaSkins.utx");
        WizardRig rig(BuiltBinDir());
        QVERIFY(QFile::copy(FixturesDir() + QStringLiteral("/DacomaSkins.utx"),
                            rig.package("DacomaSkins.utx")));
        rig.open(rig.package("DacomaSkins.utx"));
        QCOMPARE(rig.messageTexts(), QStringList{QStringLiteral("Select the correct skin type.")});
        QCOMPARE(rig.wizard->lblFilename->text(), QStringLiteral("DacomaSkins.utx"));
        QVERIFY(!rig.state.session.PackageItems.Names.isEmpty());
    }
};

QTEST_MAIN(tst_frmWizard)
#include "tst_frmWizard.moc"
