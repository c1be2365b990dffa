#include "wizard/SkinCheckView.h"

#include "check/GameFiles.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStyle>
#include <QTextBlock>
#include <QThread>
#include <QTreeWidget>

namespace {

// A moment after the last keystroke; checking a long text takes a few
// milliseconds, so it runs here rather than on a worker.
constexpr int CheckDelayMs = 250;
constexpr int PortraitSize = 32;
constexpr int LineRole = Qt::UserRole;

QIcon SeverityIcon(Severity severity) {
    const QStyle::StandardPixmap pixmap =
        severity == Severity::Error     ? QStyle::SP_MessageBoxCritical
        : severity == Severity::Warning ? QStyle::SP_MessageBoxWarning
                                        : QStyle::SP_MessageBoxInformation;
    return QApplication::style()->standardIcon(pixmap);
}

QString FaceCaption(const MenuFace& face) {
    if (face.portraitFound && !*face.portraitFound)
        return QStringLiteral("%1  (no portrait %2)").arg(face.description, ItemOf(face.portrait));
    return face.description;
}

} // namespace

SkinCheckView::SkinCheckView(QPlainTextEdit* text, QWidget* panel) : QObject(panel), text_(text) {
    lblCheckSummary = new QLabel(panel);
    lblCheckSummary->setObjectName(QStringLiteral("lblCheckSummary"));
    lstFindings = new QListWidget(panel);
    lstFindings->setObjectName(QStringLiteral("lstFindings"));
    lstFindings->setWordWrap(true);
    lstFindings->setAccessibleName(QStringLiteral("Findings"));
    lblMenu = new QLabel(QStringLiteral("The game's Player Setup menu will list:"), panel);
    lblMenu->setObjectName(QStringLiteral("lblMenu"));
    tvwMenu = new QTreeWidget(panel);
    tvwMenu->setObjectName(QStringLiteral("tvwMenu"));
    tvwMenu->setHeaderHidden(true);
    tvwMenu->setIconSize(QSize(PortraitSize, PortraitSize));
    tvwMenu->setAccessibleName(QStringLiteral("Menu listing"));
    lblMenu->setBuddy(tvwMenu);

    delay_.setSingleShot(true);
    delay_.setInterval(CheckDelayMs);
    connect(&delay_, &QTimer::timeout, this, &SkinCheckView::checkNow);
    connect(text_, &QPlainTextEdit::textChanged, &delay_, qOverload<>(&QTimer::start));
    connect(lstFindings, &QListWidget::itemActivated, this, &SkinCheckView::selectLine);
}

SkinCheckView::~SkinCheckView() {
    // A worker still reading must not outlive the view it reports to.
    ++generation_;
    for (QThread* worker : std::as_const(workers_))
        worker->wait();
}

void SkinCheckView::setContext(CheckContext context) {
    context_ = std::move(context);
    checkNow();
}

void SkinCheckView::loadContext(CheckContext context, const QString& UTDir, PackageLoader load) {
    const quint64 generation = ++generation_;
    setContext(context); // what is known already, until the rest arrives
    QPointer<SkinCheckView> self(this);
    QThread* worker = QThread::create([self, generation, context, UTDir, load]() mutable {
        if (!UTDir.isEmpty())
            context.game = std::make_shared<const GameFiles>(ReadGameFiles(UTDir));
        if (load)
            load(context);
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, context]() mutable {
                if (self && self->generation_ == generation)
                    self->setContext(std::move(context));
            },
            Qt::QueuedConnection);
    });
    worker->setParent(this);
    workers_.append(worker);
    connect(worker, &QThread::finished, this, [this, worker] {
        workers_.removeOne(worker);
        worker->deleteLater();
    });
    worker->start(QThread::LowPriority);
}

void SkinCheckView::checkNow() {
    delay_.stop();
    const CheckResult result =
        CheckSkin({text_->toPlainText(), context_.packageName, context_.package.get(),
                   context_.model ? &*context_.model : nullptr, context_.game.get()});
    showFindings(result.findings);
    showMenu(result.menu);
    emit checked(result);
}

void SkinCheckView::showFindings(const QList<Finding>& findings) {
    lblCheckSummary->setText(FindingsSummary(findings));
    lstFindings->clear();
    for (const Finding& finding : findings) {
        const QString where =
            finding.line > 0 ? QStringLiteral("Line %1: ").arg(finding.line) : QString();
        auto* item =
            new QListWidgetItem(SeverityIcon(finding.severity), where + finding.text, lstFindings);
        item->setData(LineRole, finding.line);
        item->setToolTip(SeverityName(finding.severity));
    }
}

void SkinCheckView::showMenu(const QList<MenuSkin>& menu) {
    tvwMenu->clear();
    if (!context_.model) {
        new QTreeWidgetItem(tvwMenu, {QStringLiteral("(no model known for this skin type)")});
        return;
    }
    if (menu.isEmpty())
        new QTreeWidgetItem(
            tvwMenu, {QStringLiteral("(nothing for the %1 model)").arg(context_.model->Mesh)});
    for (const MenuSkin& skin : menu) {
        auto* skinItem = new QTreeWidgetItem(tvwMenu, {skin.description});
        skinItem->setToolTip(0, skin.base);
        for (const MenuFace& face : skin.faces) {
            auto* faceItem = new QTreeWidgetItem(skinItem, {FaceCaption(face)});
            faceItem->setToolTip(0, face.portrait);
            const QImage portrait = context_.portraits.value(face.portrait.toLower());
            if (!portrait.isNull())
                faceItem->setIcon(0, QIcon(QPixmap::fromImage(portrait.scaled(
                                         PortraitSize, PortraitSize, Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation))));
        }
    }
    tvwMenu->expandAll();
}

void SkinCheckView::selectLine(QListWidgetItem* item) {
    const int line = item->data(LineRole).toInt();
    const QTextBlock block = text_->document()->findBlockByNumber(line - 1);
    if (line <= 0 || !block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
    text_->setFocus();
}
