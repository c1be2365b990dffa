#include "wizard/SkinCheckView.h"

#include "check/GameFiles.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QThread>
#include <QTreeWidget>

#include <algorithm>
#include <iterator>

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

// Asked for at twice the size shown, for screens scaled up.
QSize PortraitPixels() {
    return {2 * PortraitSize, 2 * PortraitSize};
}

QString FaceCaption(const MenuFace& face) {
    if (face.portraitFound && !*face.portraitFound)
        return QStringLiteral("%1  (no portrait %2)").arg(face.description, ItemOf(face.portrait));
    return face.description;
}

} // namespace

SkinCheckView::SkinCheckView(QPlainTextEdit* text, QWidget* panel, TopMipDecoder decode)
    : QObject(panel), text_(text), portraitLoader_(this, std::move(decode)) {
    lblCheckSummary = new QLabel(panel);
    lblCheckSummary->setObjectName(QStringLiteral("lblCheckSummary"));
    lblCheckSummary->setAlignment(Qt::AlignCenter);
    lblCheckSummary->setAccessibleName(QStringLiteral("Check summary"));
    tabCheck = new QTabWidget(panel);
    tabCheck->setObjectName(QStringLiteral("tabCheck"));
    tabCheck->setDocumentMode(true);
    tabCheck->setAccessibleName(QStringLiteral("Check"));
    lstFindings = new QListWidget(tabCheck);
    lstFindings->setObjectName(QStringLiteral("lstFindings"));
    lstFindings->setWordWrap(true);
    lstFindings->setIconSize(QSize(16, 16)); // small, so that more findings show
    lstFindings->setAccessibleName(QStringLiteral("Findings"));
    tvwMenu = new QTreeWidget(tabCheck);
    tvwMenu->setObjectName(QStringLiteral("tvwMenu"));
    tvwMenu->setHeaderHidden(true);
    tvwMenu->setIconSize(QSize(PortraitSize, PortraitSize));
    tvwMenu->setAccessibleName(QStringLiteral("What the Player Setup menu will list"));
    tabCheck->addTab(lstFindings, QStringLiteral("&Findings"));
    tabCheck->addTab(tvwMenu, QStringLiteral("Player Setup &Menu"));
    tabCheck->setTabToolTip(1, QStringLiteral("What the game's Player Setup menu will list for "
                                              "this text, with the faces' portraits"));

    delay_.setSingleShot(true);
    delay_.setInterval(CheckDelayMs);
    connect(&delay_, &QTimer::timeout, this, &SkinCheckView::checkNow);
    connect(text_, &QPlainTextEdit::textChanged, &delay_, qOverload<>(&QTimer::start));
    connect(lstFindings, &QListWidget::itemActivated, this, &SkinCheckView::selectLine);
    connect(&portraitLoader_, &ThumbnailLoader::ready, this, &SkinCheckView::placePortraits);
}

SkinCheckView::~SkinCheckView() {
    // A worker still reading must not outlive the view it reports to.
    ++generation_;
    for (QThread* worker : std::as_const(workers_))
        worker->wait();
}

void SkinCheckView::setContext(CheckContext context) {
    if (context.subject.package != context_.subject.package) {
        // Another package: its portraits are other pictures.
        portraitLoader_.cancel();
        portraits_.clear();
        asked_.clear();
    }
    context_ = std::move(context);
    checkNow();
}

void SkinCheckView::loadContext(CheckSubject subject, const QString& UTDir) {
    const quint64 generation = ++generation_;
    setContext({subject, {}}); // what is known already, until the game's files arrive
    if (UTDir.isEmpty())
        return;
    QPointer<SkinCheckView> self(this);
    QThread* worker = QThread::create([self, generation, subject, UTDir]() mutable {
        auto game = std::make_shared<const GameFiles>(ReadGameFiles(UTDir));
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, subject, game]() mutable {
                if (self && self->generation_ == generation)
                    self->setContext({std::move(subject), std::move(game)});
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
        CheckSkin(text_->toPlainText(), context_.subject, context_.game.get());
    menu_ = result.menu;
    showFindings(result.findings);
    showMenu();
    askForPortraits();
    emit checked(result);
}

// Where the counts do not all fit between the buttons, the least severe are
// left to the list and the tooltip.
void SkinCheckView::showSummary(const QList<Finding>& findings) {
    const QString full = FindingsSummary(findings);
    QString shown = full;
    const int room = lblCheckSummary->contentsRect().width();
    for (Severity dropped : {Severity::Note, Severity::Warning}) {
        if (lblCheckSummary->fontMetrics().horizontalAdvance(shown) <= room)
            break;
        QList<Finding> kept;
        std::copy_if(findings.cbegin(), findings.cend(), std::back_inserter(kept),
                     [dropped](const Finding& f) { return f.severity < dropped; });
        if (kept.isEmpty())
            break;
        shown = FindingsSummary(kept);
    }
    lblCheckSummary->setText(shown);
    lblCheckSummary->setToolTip(full);
}

void SkinCheckView::showFindings(const QList<Finding>& findings) {
    showSummary(findings);
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

void SkinCheckView::showMenu() {
    tvwMenu->clear();
    const std::optional<ModelSlots>& model = context_.subject.model;
    if (!model) {
        new QTreeWidgetItem(tvwMenu, {QStringLiteral("(no model known for this skin type)")});
        return;
    }
    if (menu_.isEmpty())
        new QTreeWidgetItem(tvwMenu,
                            {QStringLiteral("(nothing for the %1 model)").arg(model->Mesh)});
    for (const MenuSkin& skin : std::as_const(menu_)) {
        auto* skinItem = new QTreeWidgetItem(tvwMenu, {skin.description});
        skinItem->setToolTip(0, skin.base);
        for (const MenuFace& face : skin.faces) {
            auto* faceItem = new QTreeWidgetItem(skinItem, {FaceCaption(face)});
            faceItem->setToolTip(0, face.portrait);
            const QImage portrait = portraits_.value(face.portrait.toLower());
            if (!portrait.isNull())
                faceItem->setIcon(0, QIcon(QPixmap::fromImage(portrait)));
        }
    }
    tvwMenu->expandAll();
}

// Every portrait the listing shows that the package has is decoded once; a
// new request restarts the loader, so what is still under way is asked again.
void SkinCheckView::askForPortraits() {
    const PackageContents* package = context_.subject.package.get();
    if (!package)
        return;
    bool more = false;
    for (const MenuSkin& skin : std::as_const(menu_)) {
        for (const MenuFace& face : skin.faces) {
            const QString key = face.portrait.toLower();
            if (!face.portraitFound.value_or(false) || portraits_.contains(key) ||
                asked_.contains(key))
                continue;
            asked_.insert(key, {key, package->find(face.portrait), PortraitPixels()});
            more = true;
        }
    }
    if (more)
        portraitLoader_.start(package->package(), asked_.values());
}

void SkinCheckView::placePortraits(const QHash<QString, Thumbnail>& pictures) {
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
        portraits_.insert(it.key(), it->image);
        asked_.remove(it.key());
    }
    showMenu();
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
