#include "about/frmAbout.h"

#include "services/AboutInfo.h"
#include "services/Links.h"
#include "services/UpdateCheck.h"
#include "widgets/WidgetFonts.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WidgetKeys.h"
#include "widgets/WidgetLinks.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>

#include <algorithm>

namespace {
const QColor Navy(0, 0, 128);
const QColor BrightBlue(0, 0, 255);

QColor TextColour(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

void SetTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

// "MS Sans Serif" 8.25 pt bold. Linux lacks it, and the usual stand-in (DejaVu
// Sans) is too wide for the mail address to fit the link; fonts of Arial's
// width, or a condensed one, keep it readable at the same size.
QFont LinkFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

// Enter, Return or Space on the focused link opens it, as a click does.
bool IsOpenKey(const QEvent& event) {
    if (event.type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent&>(event).key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

bool IsLeftClickInside(const QWidget& widget, const QEvent& event) {
    if (event.type() != QEvent::MouseButtonRelease)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    return mouse.button() == Qt::LeftButton && widget.rect().contains(mouse.position().toPoint());
}
} // namespace

frmAbout::frmAbout(QSettings& store, UpdateBuffer& updateBuffer, const QIcon& icon, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      store_(store), updateBuffer_(updateBuffer),
      cmdVersion(new QPushButton(QStringLiteral("Check For New Version"), this)),
      Label1(new QLabel(this)), lblLink(new QLabel(this)), RunningVersionText(RunningVersion()),
      LinkTarget(CommentsLink()) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(icon);
    setFixedSize(Px(4665), Px(1770));
    // Laid out for the design type; a larger desktop font would not fit.
    setFont(DesignFont());
    // The link turns blue under the pointer and navy again over the window or
    // the button; the information text takes no part.
    setMouseTracking(true);

    Named(cmdVersion, QStringLiteral("cmdVersion"), TwipsRect(60, 1080, 4575, 255));
    cmdVersion->setMouseTracking(true);
    cmdVersion->installEventFilter(this);
    connect(cmdVersion, &QPushButton::clicked, this, &frmAbout::cmdVersion_Click);

    // The texts may come from the update server: never read them as markup.
    Named(Label1, QStringLiteral("Label1"), TwipsRect(30, 30, 4605, 1035));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setText(AboutText());

    setUpLink();
    UseDesktopKeys(*this);

    cmdVersion->setFocus();
}

// The comments link, which acts as a button.
void frmAbout::setUpLink() {
    Named(lblLink, QStringLiteral("lblLink"), TwipsRect(225, 1380, 4215, 225));
    lblLink->setTextFormat(Qt::PlainText);
    lblLink->setFont(LinkFont());
    lblLink->setCursor(Qt::PointingHandCursor);
    lblLink->setText(CommentsCaption());
    // The bold link type may stand taller than the design's line.
    lblLink->resize(lblLink->width(), std::max(lblLink->height(), lblLink->fontMetrics().height()));
    SetTextColour(*lblLink, Navy);
    lblLink->setMouseTracking(true);
    lblLink->installEventFilter(this);
    // Tab reaches the link too; it shows the focus as it shows the pointer.
    lblLink->setFocusPolicy(Qt::TabFocus);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdVersion && event->type() == QEvent::MouseMove) {
        Form_MouseMove();
    } else if (watched == lblLink && event->type() == QEvent::MouseMove) {
        // Taken here: passed on, the move would reach the window's background
        // and turn the link navy again at once.
        lblLink_MouseMove();
        event->accept();
        return true;
    } else if (watched == lblLink && event->type() == QEvent::FocusIn) {
        lblLink_MouseMove();
    } else if (watched == lblLink && event->type() == QEvent::FocusOut) {
        Form_MouseMove();
    } else if (watched == lblLink && (IsLeftClickInside(*lblLink, *event) || IsOpenKey(*event))) {
        lblLink_Click();
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void frmAbout::cmdVersion_Click() {
    const UpdateInfo update = ReadUpdate(updateBuffer_, UpdateAddress(&store_));
    if (!IsNewerVersion(RunningVersionText, update.NewestVersion()))
        return;
    // A link from the server is only taken when the program would open it;
    // otherwise the link keeps what it showed and opened before.
    if (!update.LinkTarget().isEmpty() && OpenableLink(update.LinkTarget())) {
        LinkTarget = update.LinkTarget();
        lblLink->setText(update.LinkCaption());
    }
    Label1->setText(Label1->text() + NewestVersionLine(update.NewestVersion()));
}

void frmAbout::lblLink_Click() {
    OpenLink(LinkTarget);
}

void frmAbout::lblLink_MouseMove() {
    if (TextColour(*lblLink) == Navy)
        SetTextColour(*lblLink, BrightBlue);
}

void frmAbout::Form_MouseMove() {
    if (TextColour(*lblLink) == BrightBlue)
        SetTextColour(*lblLink, Navy);
}
