#include "wizard/frmWizard.h"

#include "catalogue/ModelSlots.h"
#include "engine/WizardSession.h"
#include "preview/frmPreview.h"
#include "services/FilePaths.h"
#include "services/clsCdlg.h"
#include "settings/SettingsStore.h"
#include "widgets/AppIcon.h"
#include "widgets/WidgetFonts.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"
#include "widgets/WidgetText.h"
#include "widgets/WindowContext.h"
#include "wizard/PackageDrop.h"
#include "wizard/ReviewDecorator.h"
#include "wizard/SkinCheckView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>

#include <algorithm>

namespace {

// Panel sizes in twips: steps one to four share one size, step five is wider.
// Step five's check shares the text's place, so that the window fits a
// 1024x768 screen at double scale.
constexpr int SmallPanelWidth = 3795;
constexpr int SmallPanelHeight = 2925;
constexpr int LargePanelWidth = 6705;
constexpr int LargePanelHeight = 4695;

// The step panels' captions, in step order.
const std::array<const char*, 5> PanelTitles{
    "Step One: Open a UTX file", "Step Two: Select your skin type",
    "Step Three: Verify the information", "Step Four: Check the image names",
    "Step Five: Edit and save the INT"};

// The panels' captions start a little in from the window's edge, where the
// panels lie.
class PanelStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control == CC_GroupBox && part == SC_GroupBoxLabel)
            rect.translate(CaptionIndent, 0);
        return rect;
    }

private:
    static constexpr int CaptionIndent = 6;
};

QLabel* CreateLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = Named(new QLabel(text, parent), QLatin1String(name), place);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A one-line caption that this font makes wider than its place grows, to the
// right or about its centre as it is aligned, as far as the panel allows,
// rather than wrap out of sight.
void KeepOnOneLine(QLabel* label) {
    label->setWordWrap(false);
    const int extra = label->fontMetrics().horizontalAdvance(label->text()) + 4 - label->width();
    if (extra <= 0)
        return;
    QRect place = label->geometry();
    if (label->alignment() & Qt::AlignHCenter)
        place.adjust(-(extra + 1) / 2, 0, extra / 2, 0);
    else
        place.setWidth(place.width() + extra);
    const int margin = 4;
    label->setGeometry(
        place.intersected(label->parentWidget()->rect().adjusted(margin, 0, -margin, 0)));
}

void SetBordered(QLabel* label) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMargin(1);
}

// "N Items found." for a list of `count` entries; there is no singular form.
QString CountCaption(qsizetype count) {
    return QString::number(count) + QStringLiteral(" Items found.");
}

// Step three's text: the chosen type's description and the package's path,
// which may break after any folder separator rather than run out of the box.
QString VerificationText(const QString& description, const QString& UTXPath) {
    const QString path = QString(UTXPath).replace(QLatin1Char('/'), QStringLiteral("/\u200b"));
    return QStringList{QStringLiteral("-------Skin Type-------"),       description, QString(),
                       QStringLiteral("---------File----------"),       path,        QString(),
                       QStringLiteral("If this is correct click next.")}
        .join(QStringLiteral("\r\n"));
}

// The left-out textures, the first few by name (all of them in the line's
// tooltip), and the link that adds them back.
QString LeftOutText(const QStringList& leftOut) {
    constexpr qsizetype NamesShown = 3;
    return LeftOutNote(leftOut, NamesShown).toHtmlEscaped() +
           QStringLiteral(" — <a href=\"add\">Add back</a>");
}

} // namespace

frmWizard::frmWizard(WizardSession& session, WindowContext& state, QWidget* parent)
    : QMainWindow(parent), session_(session), state_(state) {
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Varnwick Pro - Wizard"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(MakeAppIcon());
    setFont(DesignFont());
    setAcceptDrops(true);
    setCentralWidget(new QWidget(this));

    createMenus();
    createStepOne();
    createStepTwo();
    createStepThree();
    createStepFour();
    createStepFive();
    connectControls();
    UseDesktopKeys(*this);
    Form_Load();
}

void frmWizard::createMenus() {
    mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuSettings = mnuOptions->addAction(QStringLiteral("&Settings"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    mnuSettings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // Scripts cannot be edited yet; the entry shows that the feature exists.
    mnuEditScript = mnuOptions->addAction(QStringLiteral("Edit S&cript"));
    mnuEditScript->setObjectName(QStringLiteral("mnuEditScript"));
    mnuEditScript->setEnabled(false);
    mnuEditTypes = mnuOptions->addAction(QStringLiteral("Edit &Types"));
    mnuEditTypes->setObjectName(QStringLiteral("mnuEditTypes"));
    mnuEditFilter = mnuOptions->addAction(QStringLiteral("Edit &Filter"));
    mnuEditFilter->setObjectName(QStringLiteral("mnuEditFilter"));
    mnuPreview = mnuOptions->addAction(QStringLiteral("Pre&view Textures"));
    mnuPreview->setObjectName(QStringLiteral("mnuPreview"));
    mnuPreview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuTutorial = mnuHelp->addAction(QStringLiteral("&Tutorial"));
    mnuTutorial->setObjectName(QStringLiteral("mnuTutorial"));
    mnuTutorial->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuAbout->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
}

QPushButton* frmWizard::createNext(int index, QWidget* panel, const QRect& place,
                                   const QString& caption) {
    auto* button =
        Named(new QPushButton(caption, panel), QStringLiteral("cmdNext_%1").arg(index), place);
    cmdNext[index] = button;
    return button;
}

QPushButton* frmWizard::createBack(int index, QWidget* panel, const QRect& place) {
    auto* button = Named(new QPushButton(QStringLiteral("Back"), panel),
                         QStringLiteral("cmdBack_%1").arg(index), place);
    cmdBack[index] = button;
    return button;
}

void frmWizard::createStepOne() {
    auto* panelStyle = new PanelStyle;
    panelStyle->setParent(this);
    for (int k = 0; k < 5; ++k) {
        auto* panel = Named(new QGroupBox(QLatin1String(PanelTitles[k]), centralWidget()),
                            QStringLiteral("Frame1_%1").arg(k),
                            k < 4 ? TwipsRect(0, 0, SmallPanelWidth, SmallPanelHeight)
                                  : TwipsRect(0, 0, LargePanelWidth, LargePanelHeight));
        panel->setVisible(k == 0);
        panel->setStyle(panelStyle);
        Frame1[k] = panel;
    }

    QWidget* panel = Frame1[0];
    cmdOpen =
        Named(new QPushButton(QStringLiteral("Click here to browse for the UTX file."), panel),
              QStringLiteral("cmdOpen"), TwipsRect(180, 420, 3435, 375));
    Label2 =
        CreateLabel(panel, "Label2", QStringLiteral("If this is the correct UTX file click next."),
                    TwipsRect(150, 1170, 3465, 225));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    KeepOnOneLine(Label2);
    lblFilename = CreateLabel(panel, "lblFilename", QString(), TwipsRect(180, 1380, 3435, 735));
    lblFilename->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetBordered(lblFilename);
    createNext(0, panel, TwipsRect(2790, 2550, 885, 255), QStringLiteral("Next"))
        ->setEnabled(false);
}

void frmWizard::createStepTwo() {
    QWidget* panel = Frame1[1];
    lblSkinInfo = CreateLabel(
        panel, "lblSkinInfo",
        QStringLiteral("The skin type would be the character for which you're making a skin for."),
        TwipsRect(300, 570, 3195, 465));
    cboInfo =
        Named(new QComboBox(panel), QStringLiteral("cboInfo"), TwipsRect(330, 1200, 3135, 315));
    cboInfo->setToolTip(QStringLiteral("List of available types of skins."));
    cboInfo->setAccessibleName(QStringLiteral("Skin type"));
    // A description longer than the box scrolls rather than lose its end.
    auto* descBox = Named(new QScrollArea(panel), QStringLiteral("lblSkinDescBox"),
                          TwipsRect(330, 1530, 3135, 585));
    descBox->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    descBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    descBox->setWidgetResizable(true);
    descBox->setFocusPolicy(Qt::NoFocus);
    lblSkinDesc = CreateLabel(nullptr, "lblSkinDesc", QString(), QRect());
    lblSkinDesc->setMargin(1);
    descBox->setWidget(lblSkinDesc);
    lblCrap = CreateLabel(panel, "lblCrap", QStringLiteral("If this is correct click Next."),
                          TwipsRect(900, 2160, 1965, 255));
    KeepOnOneLine(lblCrap);
    createBack(0, panel, TwipsRect(120, 2550, 885, 255));
    createNext(1, panel, TwipsRect(2790, 2550, 885, 255), QStringLiteral("Next"));
}

void frmWizard::createStepThree() {
    QWidget* panel = Frame1[2];
    lblVerify = CreateLabel(panel, "lblVerify", QString(), TwipsRect(180, 270, 3435, 2175));
    lblVerify->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetBordered(lblVerify);
    createBack(1, panel, TwipsRect(120, 2550, 885, 255));
    createNext(2, panel, TwipsRect(2790, 2550, 885, 255), QStringLiteral("Next"));
}

void frmWizard::createStepFour() {
    QWidget* panel = Frame1[3];
    FormatList =
        Named(new QWidget(panel), QStringLiteral("FormatList"), TwipsRect(150, 330, 1785, 2025));
    createListCaption(panel);
    lstItems = Named(new QListWidget(FormatList), QStringLiteral("lstItems"),
                     TwipsRect(30, 270, 1695, 1680));
    lstItems->setFont(SmallFont());
    lstItems->setAccessibleName(QStringLiteral("Names found in the package"));
    lstItems->installEventFilter(this);
    createStepFourHelp(panel);
    createStepFourTextures(panel);
    createBack(2, panel, TwipsRect(120, 2550, 885, 255));
    createNext(3, panel, TwipsRect(2790, 2550, 885, 255), QStringLiteral("Next"));
}

// The count above the list doubles as the button that restores it; Ctrl+R
// does the same from the keyboard.
void frmWizard::createListCaption(QWidget* panel) {
    lblListInfo =
        CreateLabel(FormatList, "lblListInfo", CountCaption(0), TwipsRect(30, 30, 1695, 225));
    lblListInfo->setAlignment(Qt::AlignCenter);
    const QKeySequence restoreKey(Qt::CTRL | Qt::Key_R);
    lblListInfo->setToolTip(QStringLiteral("Click to reload list (%1)")
                                .arg(restoreKey.toString(QKeySequence::NativeText)));
    auto* restore = new QShortcut(restoreKey, panel);
    restore->setContext(Qt::WidgetWithChildrenShortcut);
    connect(restore, &QShortcut::activated, this, &frmWizard::lblListInfo_Click);
    lblListInfo->setFont(SmallFont());
    QPalette black = lblListInfo->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblListInfo->setPalette(black);
    lblListInfo->setCursor(Qt::PointingHandCursor);
    lblListInfo->installEventFilter(this);
    SetBordered(lblListInfo);
}

void frmWizard::createStepFourHelp(QWidget* panel) {
    lblHelpText = CreateLabel(panel, "lblHelpText",
                              QStringLiteral("Check the list of items found in the UTX file to "
                                             "see if there are any that aren't images. "),
                              TwipsRect(2010, 330, 1635, 735));
    lblHelpText->setFont(SmallFont());
    SetBordered(lblHelpText);
    Label1 = CreateLabel(panel, "Label1",
                         QStringLiteral("Double click an item to remove it from the list. Click "
                                        "on the 'items found' caption to restore the list. If "
                                        "you're done checking the images click Next."),
                         TwipsRect(2010, 1050, 1635, 1305));
    Label1->setFont(SmallFont());
    SetBordered(Label1);
}

// Under the list, the textures the filter list left out, when there are any;
// between the buttons, the command that removes the entries the package says
// are no textures. The list's context menu and the Delete key act as well.
void frmWizard::createStepFourTextures(QWidget* panel) {
    lblLeftOut = CreateLabel(FormatList, "lblLeftOut", QString(), TwipsRect(30, 1545, 1695, 450));
    lblLeftOut->setFont(SmallFont());
    lblLeftOut->setTextFormat(Qt::RichText);
    lblLeftOut->hide();
    connect(lblLeftOut, &QLabel::linkActivated, this, &frmWizard::addBackLeftOut);
    cmdRemoveMarked = Named(new QPushButton(QStringLiteral("Remove &Marked"), panel),
                            QStringLiteral("cmdRemoveMarked"), TwipsRect(1080, 2550, 1635, 255));
    cmdRemoveMarked->setToolTip(
        QStringLiteral("Remove the entries in grey: the package says they are no textures."));
    actRemoveMarked = new QAction(QStringLiteral("Remove Non-Textures"), lstItems);
    actAddBack = new QAction(QStringLiteral("Add Back Left-Out Textures"), lstItems);
    lstItems->addActions({actRemoveMarked, actAddBack, mnuPreview});
    lstItems->setContextMenuPolicy(Qt::ActionsContextMenu);
    decorator = new ReviewDecorator(*lstItems, state_.decodeTopMip, this);
}

void frmWizard::createStepFive() {
    QWidget* panel = Frame1[4];
    txtINT = new QPlainTextEdit(panel);
    txtINT->setObjectName(QStringLiteral("txtINT"));
    txtINT->setFont(SmallFont());
    txtINT->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtINT->setAccessibleName(QStringLiteral("INT text"));
    checkView = new SkinCheckView(txtINT, panel, state_.decodeTopMip);
    // The text above, the findings and the menu listing below it; the user
    // moves the line between them.
    auto* split = Named(new QSplitter(Qt::Vertical, panel), QStringLiteral("splitINT"),
                        TwipsRect(150, 240, 6375, 3975));
    split->setChildrenCollapsible(false);
    split->addWidget(txtINT);
    split->addWidget(checkView->tabCheck);
    split->setSizes({Px(2175), Px(1800)});
    createBack(3, panel, TwipsRect(150, 4260, 1545, 255));
    checkView->lblCheckSummary->setGeometry(TwipsRect(1695, 4260, 3285, 255));
    createNext(4, panel, TwipsRect(4980, 4260, 1545, 255), QStringLiteral("Save File"));
}

void frmWizard::connectControls() {
    connect(mnuPreview, &QAction::triggered, this, &frmWizard::mnuPreview_Click);
    connect(cmdRemoveMarked, &QPushButton::clicked, this, &frmWizard::removeNonTextures);
    connect(actRemoveMarked, &QAction::triggered, this, &frmWizard::removeNonTextures);
    connect(actAddBack, &QAction::triggered, this, &frmWizard::addBackLeftOut);
    connect(lstItems, &QListWidget::currentTextChanged, this, &frmWizard::previewSelection);

    connect(cmdOpen, &QPushButton::clicked, this, &frmWizard::cmdOpen_Click);
    connect(cboInfo, &QComboBox::activated, this, &frmWizard::cboInfo_Click);
    for (int i = 0; i < int(cmdNext.size()); ++i)
        connect(cmdNext[i], &QPushButton::clicked, this, [this, i] { cmdNext_Click(i); });
    for (int i = 0; i < int(cmdBack.size()); ++i)
        connect(cmdBack[i], &QPushButton::clicked, this, [this, i] { cmdBack_Click(i); });
    connect(lstItems, &QListWidget::itemDoubleClicked, this, &frmWizard::lstItems_DblClick);
}

void frmWizard::Form_Load() {
    widthMargin_ = 100;
    heightMargin_ = 750;
    setEditorMenus(true);
    session_.loadTypes();
    showTypes();
    Frame1[0]->move(0, 0);
    sizeToPanel(0);
    focusStep();
}

QString frmWizard::intText() const {
    return BoxTextWithCrLf(*txtINT);
}

void frmWizard::showCentred() {
    const QRect screen = this->screen()->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(screen.center() - QPoint(outer.width() / 2, outer.height() / 2));
    show();
}

void frmWizard::setEditorMenus(bool enabled) {
    mnuEditFilter->setEnabled(enabled);
    mnuEditTypes->setEnabled(enabled);
}

// The outer size follows the panel plus the width and height margins. The
// client area always holds the whole panel below the menu bar, so a frame
// thicker than the margins makes the window larger rather than cut it off.
void frmWizard::sizeToPanel(int panel) {
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    sizedForFrame_ = QMargins(client.left() - frame.left(), client.top() - frame.top(),
                              frame.right() - client.right(), frame.bottom() - client.bottom());
    const bool large = panel == 4;
    const int panelWidth = large ? LargePanelWidth : SmallPanelWidth;
    const int panelHeight = large ? LargePanelHeight : SmallPanelHeight;
    const int width = std::max(Px(panelWidth), Px(panelWidth + widthMargin_) -
                                                   sizedForFrame_.left() - sizedForFrame_.right());
    const int height =
        std::max(Px(panelHeight) + menuBar()->sizeHint().height(),
                 Px(panelHeight + heightMargin_) - sizedForFrame_.top() - sizedForFrame_.bottom());
    setFixedSize(width, height);
}

void frmWizard::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    sizeToPanel(step_ - 1);
}

// A window manager reports the frame once it has framed the window, which
// arrives as a move; the size is adjusted to it then.
void frmWizard::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins now(client.left() - frame.left(), client.top() - frame.top(),
                       frame.right() - client.right(), frame.bottom() - client.bottom());
    if (now != sizedForFrame_)
        sizeToPanel(step_ - 1);
}

void frmWizard::showPanel(int from, int to, bool forward) {
    Frame1[from]->hide();
    sizeToPanel(to);
    // A window that grows near the screen's edge moves back onto its screen.
    if (isVisible())
        move(KeptOnScreen(frameGeometry(), screen()->availableGeometry()));
    if (forward)
        Frame1[to]->move(0, 0);
    Frame1[to]->show();
    step_ = to + 1;
}

// The drop-down shows the session's type list and selection, the box below
// it the rules in use.
void frmWizard::showTypes() {
    cboInfo->clear();
    cboInfo->addItems(session_.typeKeys());
    cboInfo->setCurrentIndex(session_.typeIndex());
    showSelectedType();
}

void frmWizard::showSelectedType() {
    lblSkinDesc->setText(session_.skin().Description);
}

void frmWizard::cboInfo_Click() {
    session_.selectType(cboInfo->currentIndex());
    showSelectedType();
}

// Step five's check looks at the package, the chosen type's model and the
// game folder; what takes reading is gathered away from the window.
void frmWizard::startCheck() {
    checkView->loadContext(
        {ShortUTXName(session_.package().UTXPath, true, true), session_.contents(),
         FindModelSlots(ReadModelSlots(state_.programDir), cboInfo->currentText())},
        state_.settings.UTDir);
}

void frmWizard::showOpenedFile() {
    const QString& path = session_.package().UTXPath;
    lblFilename->setText(path.isEmpty() ? QString() : ShortUTXName(path, false, true));
    cmdNext[0]->setEnabled(!path.isEmpty());
}

void frmWizard::showReview() {
    lstItems->clear();
    lstItems->addItems(session_.reviewed());
    decorator->decorate(session_.census());
    showReviewState();
}

// The count, the command for the marked entries and the left-out textures.
void frmWizard::showReviewState() {
    lblListInfo->setText(CountCaption(session_.reviewed().size()));
    const QStringList& reviewed = session_.reviewed();
    const bool marked = std::any_of(reviewed.cbegin(), reviewed.cend(), [this](const QString& n) {
        return !session_.census().isTexture(n);
    });
    cmdRemoveMarked->setEnabled(marked);
    actRemoveMarked->setEnabled(marked);
    const QStringList& leftOut = session_.droppedTextures();
    actAddBack->setEnabled(!leftOut.isEmpty());
    lblLeftOut->setVisible(!leftOut.isEmpty());
    lblLeftOut->setText(LeftOutText(leftOut));
    lblLeftOut->setToolTip(leftOut.join(QStringLiteral(", ")));
    lstItems->setGeometry(TwipsRect(30, 270, 1695, leftOut.isEmpty() ? 1680 : 1260));
}

void frmWizard::removeNonTextures() {
    session_.removeNonTextures();
    showReview();
}

void frmWizard::addBackLeftOut() {
    session_.addBackDropped();
    showReview();
}

// The preview shows the entry selected in step four while it is open; it is
// created when first asked for.
void frmWizard::mnuPreview_Click() {
    if (!preview_)
        preview_ = new frmPreview(state_, this, state_.decodeTopMip);
    preview_->show();
    preview_->raise();
    preview_->activateWindow();
    previewSelection();
}

void frmWizard::previewSelection() {
    if (!preview_ || !preview_->isVisible())
        return;
    const QListWidgetItem* current = step_ >= 4 ? lstItems->currentItem() : nullptr;
    preview_->showEntry(session_.objects(), session_.census(),
                        current ? current->text() : QString());
}

void frmWizard::cmdOpen_Click() {
    openPackage(*state_.dialogs, *state_.cdlg);
}

// A file that is no package leaves the file shown as it was.
void frmWizard::openPackage(Dialogs& dialogs, clsCdlg& cdlg) {
    setEditorMenus(false);
    const OpenOutcome outcome = session_.open(dialogs, cdlg, state_.settings.TexturesDir);
    showTypes();
    if (outcome.read) {
        decorator->forget();
        previewSelection();
    }
    if (outcome.read || outcome.cancelled)
        showOpenedFile();
    if (outcome.read)
        ShowFocusOn(cmdNext[0]);
}

void frmWizard::cmdNext_Click(int index) {
    setEditorMenus(false);
    switch (index) {
    case 0:
        showPanel(0, 1, true);
        session_.selectGuessedType();
        showTypes();
        break;
    case 1:
        showPanel(1, 2, true);
        lblVerify->setText(
            VerificationText(session_.skin().Description, session_.package().UTXPath));
        break;
    case 2:
        showPanel(2, 3, true);
        session_.beginReview();
        showReview();
        requestReviewPictures();
        break;
    case 3:
        decorator->cancel();
        showPanel(3, 4, true);
        txtINT->setPlainText(session_.intText());
        startCheck();
        break;
    case 4:
        session_.setText(intText());
        session_.save(*state_.dialogs, *state_.cdlg, state_.settings.UTDir);
        return;
    default:
        return;
    }
    focusStep();
}

// The pictures are asked for once the list is on screen, so that the decoding
// never holds up the step; a step left by then asks for none.
void frmWizard::requestReviewPictures() {
    if (!state_.reviewPictures)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (step_ == 4)
                decorator->start(session_.objects(), session_.census(),
                                 session_.reviewed() + session_.droppedTextures());
        },
        Qt::QueuedConnection);
}

void frmWizard::cmdBack_Click(int index) {
    if (index == 0) {
        setEditorMenus(true);
        showPanel(1, 0, false);
        lblFilename->clear();
        cmdNext[0]->setEnabled(false);
    } else {
        setEditorMenus(false);
        if (index == 2)
            decorator->cancel();
        showPanel(index + 1, index, false);
    }
    focusStep();
}

// The control a step is most likely used with: step one's browse button,
// the drop-down, Next after the check, the list under review (its first name
// selected, ready for Delete) and the text.
void frmWizard::focusStep() {
    const std::array<QWidget*, 5> controls{cmdOpen, cboInfo, cmdNext[2], lstItems, txtINT};
    if (step_ == 4 && !lstItems->currentItem())
        lstItems->setCurrentRow(0);
    ShowFocusOn(controls[step_ - 1]);
}

// The entry leaves the list in place, so that the list keeps its scroll
// position while the user prunes it.
void frmWizard::lstItems_DblClick() {
    const QList<QListWidgetItem*> selected = lstItems->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = lstItems->row(selected.first());
    if (session_.remove(row))
        delete lstItems->takeItem(row);
    showReviewState();
}

// Delete, Enter and Return remove the selected name as a double click does;
// the name taking its place is selected for the next key.
void frmWizard::lstItems_KeyRemove() {
    lstItems_DblClick();
    if (QListWidgetItem* next = lstItems->currentItem())
        next->setSelected(true);
}

// The first name is selected afresh, ready for a key.
void frmWizard::lblListInfo_Click() {
    session_.restore();
    showReview();
    lstItems->setCurrentRow(0);
}

bool frmWizard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstItems && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Return || key == Qt::Key_Enter) {
            lstItems_KeyRemove();
            return true;
        }
    }
    if (watched == lblListInfo && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && lblListInfo->rect().contains(mouse->pos()))
            lblListInfo_Click();
    }
    return QMainWindow::eventFilter(watched, event);
}

// The outer placement in twips under "WindowPos", unless it was reset in
// this run.
void frmWizard::savePlacement() const {
    if (state_.WindowPosReset || !state_.store)
        return;
    const QRect outer = frameGeometry();
    const auto twips = [](int pixels) { return QString::number(pixels * TwipsPerPixel); };
    QSettings& store = *state_.store;
    SaveSetting(store, Store::WindowPos, Store::WizTop, twips(outer.top()));
    SaveSetting(store, Store::WindowPos, Store::WizLeft, twips(outer.left()));
    SaveSetting(store, Store::WindowPos, Store::WizWidth, twips(outer.width()));
    SaveSetting(store, Store::WindowPos, Store::WizHeight, twips(outer.height()));
}

void frmWizard::closeEvent(QCloseEvent* event) {
    savePlacement();
    if (preview_)
        preview_->close();
    event->accept();
    if (state_.endProcess)
        state_.endProcess();
}

// A package dragged from a file manager opens like one chosen in step one's
// dialog; other steps and other files refuse the drop.
void frmWizard::dragEnterEvent(QDragEnterEvent* event) {
    if (step_ == 1 && event->mimeData() && !DroppedPackagePath(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmWizard::dropEvent(QDropEvent* event) {
    const QString path =
        step_ == 1 && event->mimeData() ? DroppedPackagePath(*event->mimeData()) : QString();
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has finished, so that the file manager is not kept
    // waiting while a message box is up.
    QMetaObject::invokeMethod(
        this, [this, path] { openPackageFile(path); }, Qt::QueuedConnection);
}

void frmWizard::openPackageFile(const QString& path) {
    if (step_ != 1 || !isEnabled())
        return;
    DroppedFileDialogs dropped(*state_.dialogs, path);
    clsCdlg cdlg(dropped);
    openPackage(dropped, cdlg);
}
