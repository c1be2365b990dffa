#include "settings/frmSettings.h"

#include "services/Dialogs.h"
#include "settings/GameDetection.h"
#include "settings/GameFolders.h"
#include "settings/SettingsStore.h"
#include "settings/frmBrowse.h"
#include "widgets/WidgetFonts.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <optional>

namespace {

constexpr int GameDir = 1;
constexpr int StorageDir = 0;

// "True"/"False" or a number, as the store holds start-up modes; nothing for
// anything else.
std::optional<bool> ReadAsTruth(const QString& text) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double number = text.trimmed().toDouble(&isNumber);
    if (!isNumber)
        return std::nullopt;
    return number != 0;
}

// Check box values as stored: 0 unchecked, 1 checked, 2 greyed.
std::optional<Qt::CheckState> ReadAsCheckValue(const QString& text) {
    bool isNumber = false;
    const int value = text.trimmed().toInt(&isNumber);
    if (!isNumber)
        return std::nullopt;
    switch (value) {
    case 0:
        return Qt::Unchecked;
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return std::nullopt;
    }
}

QString CheckValue(const QCheckBox& box) {
    switch (box.checkState()) {
    case Qt::Checked:
        return QStringLiteral("1");
    case Qt::PartiallyChecked:
        return QStringLiteral("2");
    case Qt::Unchecked:
        break;
    }
    return QStringLiteral("0");
}

void LoadCheckBox(QCheckBox& box, const QString& stored) {
    if (const std::optional<Qt::CheckState> state = ReadAsCheckValue(stored)) {
        box.setTristate(*state == Qt::PartiallyChecked);
        box.setCheckState(*state);
    }
}

// A value the store could not write is told, never dropped silently.
void TellWhenNotStored(const QSettings& store, Dialogs& dialogs) {
    if (store.status() != QSettings::NoError)
        dialogs.message(SettingsNotStoredMessage(store), QStringLiteral("Settings"),
                        Dialogs::Buttons::Ok);
}

} // namespace

frmSettings::frmSettings(QSettings& store, Dialogs& dialogs, const QIcon& icon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmSettings"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Settings"));
    setWindowIcon(icon);
    setFixedSize(Px(5250), Px(1185));
    // Laid out for the design type; a larger desktop font would not fit.
    setFont(DesignFont());

    // The storage folder's frame lies below the window's edge and stays hidden.
    buildDirFrame(StorageDir, QStringLiteral("Enter storage directory for UTX images:"),
                  TwipsRect(-30, 3810, 5115, 615));
    buildDirFrame(GameDir, QStringLiteral("Enter UnrealTournament directory:"),
                  TwipsRect(60, 60, 5115, 615));
    frmDir[StorageDir]->hide();
    txtDir[StorageDir]->setText(QStringLiteral("C:\\"));
    txtDir[GameDir]->setText(QStringLiteral("C:\\UnrealTournament"));

    buildButtons();
    buildHiddenOptions();
    setDesignTabOrder();
    connectControls();
    UseDesktopKeys(*this);

    Form_Load();
}

void frmSettings::buildButtons() {
    cmdDefault = Named(new QPushButton(QStringLiteral("Restore Default Settings"), this),
                       QStringLiteral("cmdDefault"), TwipsRect(90, 780, 1965, 315));
    // Linux fonts run wider than the design's: the button grows to show its
    // caption whole, towards the room left of OK.
    cmdDefault->resize(std::max(cmdDefault->width(), cmdDefault->sizeHint().width()),
                       cmdDefault->height());
    cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"),
                  TwipsRect(2880, 780, 1095, 315));
    cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("cmdCancel"),
                      TwipsRect(4020, 780, 1095, 315));
    // Enter in the folder box confirms the window.
    cmdOK->setDefault(true);
}

// Options the window keeps but never shows.
void frmSettings::buildHiddenOptions() {
    frmStartUp = Named(new QGroupBox(QStringLiteral("Start Up Interface"), this),
                       QStringLiteral("frmStartUp"), TwipsRect(120, 1500, 2655, 915));
    frmStartUp->setEnabled(false);
    frmStartUp->hide();
    Option1 = Named(new QRadioButton(QStringLiteral("Wizard Mode"), frmStartUp),
                    QStringLiteral("Option1"), TwipsRect(120, 240, 2415, 255));
    Option2 = Named(new QRadioButton(QStringLiteral("'I know what I'm doing' Mode"), frmStartUp),
                    QStringLiteral("Option2"), TwipsRect(120, 540, 2415, 255));
    Option2->setChecked(true);

    frmPicture = Named(new QGroupBox(QStringLiteral("Extra"), this), QStringLiteral("frmPicture"),
                       TwipsRect(2850, 1500, 2325, 915));
    frmPicture->hide();
    Check1 = Named(new QCheckBox(QStringLiteral("Enable Picture Viewing"), frmPicture),
                   QStringLiteral("Check1"), TwipsRect(210, 210, 2025, 315));
    Check2 = Named(new QCheckBox(QStringLiteral("Enable Splash Screen"), frmPicture),
                   QStringLiteral("Check2"), TwipsRect(210, 540, 1995, 255));
    Check2->setChecked(true);
}

// The design's tab order: each folder's Browse button comes before its box.
void frmSettings::setDesignTabOrder() {
    const QList<QWidget*> tabOrder{cmdBrowse[StorageDir],
                                   txtDir[StorageDir],
                                   cmdBrowse[GameDir],
                                   txtDir[GameDir],
                                   Option1,
                                   Option2,
                                   cmdOK,
                                   cmdCancel,
                                   Check1,
                                   cmdDefault,
                                   Check2};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void frmSettings::connectControls() {
    for (int index : {StorageDir, GameDir})
        connect(cmdBrowse[index], &QPushButton::clicked, this,
                [this, index] { cmdBrowse_Click(index); });
    connect(cmdOK, &QPushButton::clicked, this, &frmSettings::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdDefault, &QPushButton::clicked, this, &frmSettings::cmdDefault_Click);
}

void frmSettings::buildDirFrame(int index, const QString& caption, const QRect& twips) {
    const QString suffix = QLatin1Char('_') + QString::number(index);
    frmDir[index] = Named(new QGroupBox(caption, this), QStringLiteral("frmDir") + suffix, twips);
    txtDir[index] = Named(new QLineEdit(frmDir[index]), QStringLiteral("txtDir") + suffix,
                          TwipsRect(60, 240, 3915, 285));
    txtDir[index]->setAccessibleName(caption);
    cmdBrowse[index] = Named(new QPushButton(QStringLiteral("Browse"), frmDir[index]),
                             QStringLiteral("cmdBrowse") + suffix, TwipsRect(4020, 240, 1035, 255));
}

// The controls as stored; a value that cannot be read leaves the control as
// designed, except the folder boxes, which always show what is stored.
void frmSettings::Form_Load() {
    QSettings& store = store_;
    txtDir[StorageDir]->setText(GetSetting(store, Store::Settings, Store::UTXDir));
    txtDir[GameDir]->setText(GetSetting(store, Store::Settings, Store::UTDir));
    // With no game folder stored, the first installation found is proposed;
    // it is stored only on OK.
    if (txtDir[GameDir]->text().isEmpty())
        txtDir[GameDir]->setText(FindGameFolder(QDir::homePath()));
    if (const std::optional<bool> wizardMode =
            ReadAsTruth(GetSetting(store, Store::Settings, Store::Startup)))
        (*wizardMode ? Option1 : Option2)->setChecked(true);
    LoadCheckBox(*Check1, GetSetting(store, Store::Settings, Store::PicView));
    LoadCheckBox(*Check2, GetSetting(store, Store::Settings, Store::Splash));
}

void frmSettings::cmdBrowse_Click(int index) {
    txtDir[index]->setText(BrowseForDir(windowIcon(), txtDir[index]->text()));
}

void frmSettings::cmdOK_Click() {
    if (txtDir[GameDir]->text().isEmpty())
        return;
    QSettings& store = store_;
    SaveSetting(store, Store::Company, Store::Company, QStringLiteral("Orrenby-2000"));
    SaveSetting(store, Store::Settings, Store::UTDir, txtDir[GameDir]->text());
    // An empty storage folder would bring this window back at every start:
    // it becomes the game's Textures folder.
    if (txtDir[StorageDir]->text().isEmpty())
        txtDir[StorageDir]->setText(
            GameSubfolder(txtDir[GameDir]->text(), QStringLiteral("Textures")));
    SaveSetting(store, Store::Settings, Store::UTXDir, txtDir[StorageDir]->text());

    const bool storedWizardMode =
        ReadAsTruth(GetSetting(store, Store::Settings, Store::Startup)).value_or(false);
    if (Option1->isChecked() && !storedWizardMode)
        SaveSetting(store, Store::Settings, Store::Startup, QStringLiteral("True"));
    else if (Option2->isChecked() && storedWizardMode)
        SaveSetting(store, Store::Settings, Store::Startup, QStringLiteral("False"));

    SaveSetting(store, Store::Settings, Store::PicView, CheckValue(*Check1));
    SaveSetting(store, Store::Settings, Store::Splash, CheckValue(*Check2));
    TellWhenNotStored(store, dialogs_);
    accept();
}

void frmSettings::cmdDefault_Click() {
    QSettings& store = store_;
    DeleteSetting(store, Store::WindowPos);
    Option1->setChecked(true);
    SaveSetting(store, Store::Settings, Store::Startup, QStringLiteral("True"));
    Check1->setCheckState(Qt::Unchecked);
    SaveSetting(store, Store::Settings, Store::PicView, QStringLiteral("0"));
    Check2->setCheckState(Qt::Checked);
    SaveSetting(store, Store::Settings, Store::Splash, QStringLiteral("1"));
    TellWhenNotStored(store, dialogs_);
    emit placementReset();
}
