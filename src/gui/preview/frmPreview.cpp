#include "preview/frmPreview.h"

#include "preview/TextureView.h"
#include "settings/SettingsStore.h"
#include "widgets/WidgetFonts.h"
#include "widgets/WidgetGeometry.h"
#include "widgets/WindowContext.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const QString PiecePrefix = QStringLiteral("piece:");
constexpr int PieceSize = 48;

// The formats the package model turns into pixels.
bool Decodable(int format) {
    using F = TextureFormat;
    for (F known : {F::P8, F::DXT1, F::RGB8, F::RGBA8, F::DXT3, F::DXT5})
        if (format == int(known))
            return true;
    return false;
}

QString CannotBeShown(const Thumbnail& picture) {
    return QStringLiteral("Cannot be shown: %1")
        .arg(Decodable(picture.format)
                 ? picture.error
                 : QStringLiteral("format %1").arg(TextureFormatName(picture.format)));
}

QString Facts(const QString& name, const TextureInfo& info) {
    return QStringLiteral("%1 — %2 × %3, %4, %5 mip%6, %7")
        .arg(name)
        .arg(info.width())
        .arg(info.height())
        .arg(TextureFormatName(info.format))
        .arg(info.mips.size())
        .arg(info.mips.size() == 1 ? QString() : QStringLiteral("s"))
        .arg(info.masked ? QStringLiteral("masked") : QStringLiteral("no mask"));
}

QLabel* PieceTile(const QString& name, bool present, bool selected) {
    auto* tile = new QLabel;
    tile->setFixedSize(PieceSize + 6, PieceSize + 6);
    tile->setAlignment(Qt::AlignCenter);
    tile->setFrameStyle(selected ? QFrame::Box : QFrame::StyledPanel);
    tile->setLineWidth(selected ? 2 : 1);
    tile->setToolTip(present ? name : QStringLiteral("%1: not in this package").arg(name));
    if (!present)
        tile->setText(QStringLiteral("–"));
    return tile;
}

QLabel* PieceCaption(const QString& name, bool present) {
    auto* caption = new QLabel(name);
    caption->setFont(SmallFont());
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    caption->setFixedWidth(PieceSize + 22);
    caption->setEnabled(present);
    return caption;
}

} // namespace

frmPreview::frmPreview(const WindowContext& state, QWidget* parent, TopMipDecoder decode)
    : QWidget(parent, Qt::Window), state_(state), loader_(nullptr, std::move(decode)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview Textures"));
    if (parent)
        setWindowIcon(parent->windowIcon());

    QHBoxLayout* top = buildInfoRow();
    buildView();
    QVBoxLayout* side = buildSkinSet();

    auto* body = new QHBoxLayout;
    body->addWidget(scroller_, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);

    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    connect(&loader_, &ThumbnailLoader::ready, this, &frmPreview::showPictures);

    const QByteArray placement = QByteArray::fromBase64(
        GetSetting(*state.store, Store::WindowPos, Store::PreviewGeometry).toLatin1());
    if (placement.isEmpty() || !restoreGeometry(placement))
        placeFirstTime(parent);
    applyZoom();
    showEntry(std::nullopt, {}, {});
}

// The entry's name and the zoom choices above the picture.
QHBoxLayout* frmPreview::buildInfoRow() {
    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* zoomGroup = new QButtonGroup(this);
    auto* top = new QHBoxLayout;
    top->addWidget(lblInfo, 1);
    const std::array<const char*, 3> zoomNames{"&Fit", "&1:1", "&2:1"};
    for (int zoom = 0; zoom < 3; ++zoom) {
        optZoom[zoom] = new QRadioButton(QLatin1String(zoomNames[zoom]), this);
        zoomGroup->addButton(optZoom[zoom], zoom);
        top->addWidget(optZoom[zoom]);
    }
    optZoom[0]->setChecked(true);
    connect(zoomGroup, &QButtonGroup::idClicked, this, &frmPreview::applyZoom);
    return top;
}

void frmPreview::buildView() {
    view = new TextureView;
    view->setObjectName(QStringLiteral("view"));
    scroller_ = new QScrollArea(this);
    scroller_->setAlignment(Qt::AlignCenter);
    scroller_->setWidget(view);
    scroller_->setBackgroundRole(QPalette::Dark);
}

// Beside the picture, the other textures of the skin it belongs to.
QVBoxLayout* frmPreview::buildSkinSet() {
    lblSet = new QLabel(this);
    lblSet->setObjectName(QStringLiteral("lblSet"));
    setPanel = new QWidget;
    setPanel->setObjectName(QStringLiteral("setPanel"));
    setGrid_ = new QGridLayout(setPanel);
    setGrid_->setSizeConstraint(QLayout::SetMinAndMaxSize);
    auto* setScroller = new QScrollArea(this);
    setScroller->setWidget(setPanel);
    setScroller->setMinimumWidth(5 * (PieceSize + 28) + 70);
    auto* side = new QVBoxLayout;
    side->addWidget(lblSet);
    side->addWidget(setScroller, 1);
    return side;
}

int frmPreview::zoom() const {
    for (int zoom = 0; zoom < 3; ++zoom)
        if (optZoom[zoom]->isChecked())
            return zoom;
    return 0;
}

void frmPreview::applyZoom() {
    const int zoom = this->zoom();
    view->setZoom(zoom);
    scroller_->setWidgetResizable(zoom == 0);
    if (zoom != 0)
        view->resize(view->sizeHint());
}

void frmPreview::showEntry(const std::optional<UnrealPackage>& package, const TextureCensus& census,
                           const QString& name) {
    loader_.cancel();
    shown_ = name;
    fillSet({}, census);
    const int index = census.textureExport(name);
    const QString notTexture = NotATexture(census, name);
    lblInfo->setText(name);
    if (name.isEmpty()) {
        view->setMessage(QStringLiteral("Select a name in step four's list to see its texture."));
    } else if (!notTexture.isEmpty()) {
        view->setMessage(notTexture + QLatin1Char('.'));
    } else if (!package || index < 0) {
        view->setMessage(QStringLiteral("Cannot be shown: the package's objects could not be "
                                        "read, only its names."));
    } else if (const PackageResult<TextureInfo> info = package->texture(index); !info) {
        view->setMessage(QStringLiteral("Cannot be shown: %1").arg(info.error()));
    } else {
        lblInfo->setText(Facts(census.spelling(name), *info));
        view->setMessage(QStringLiteral("Decoding…"));
        const QList<SkinSetRow> rows = SkinSetOf(name, census);
        fillSet(rows, census);
        QList<ThumbnailRequest> requests{{name, index, {}}};
        for (const SkinSetRow& row : rows)
            for (const QString& piece : row.pieces)
                if (census.textureExport(piece) >= 0)
                    requests.append({PiecePrefix + piece.toLower(), census.textureExport(piece),
                                     QSize(PieceSize, PieceSize)});
        loader_.start(*package, requests);
    }
    applyZoom();
}

void frmPreview::fillSet(const QList<SkinSetRow>& rows, const TextureCensus& census) {
    setPieces_.clear();
    while (QLayoutItem* item = setGrid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    lblSet->setText(rows.isEmpty() ? QStringLiteral("Not part of a skin set.")
                                   : QStringLiteral("Skin %1: the pieces the game loads")
                                         .arg(census.spelling(shown_).left(4)));
    for (int r = 0; r < rows.size(); ++r) {
        auto* title = new QLabel(rows[r].title);
        title->setFont(SmallFont(true));
        setGrid_->addWidget(title, 2 * r, 0, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
        for (int c = 0; c < rows[r].pieces.size(); ++c) {
            const QString& piece = rows[r].pieces[c];
            const bool present = census.textureExport(piece) >= 0;
            QLabel* tile =
                PieceTile(piece, present, piece.compare(shown_, Qt::CaseInsensitive) == 0);
            setGrid_->addWidget(tile, 2 * r, c + 1, Qt::AlignHCenter);
            setGrid_->addWidget(PieceCaption(piece, present), 2 * r + 1, c + 1, Qt::AlignHCenter);
            setPieces_.insert(PiecePrefix + piece.toLower(), tile);
        }
    }
}

void frmPreview::showPictures(const QHash<QString, Thumbnail>& pictures) {
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
        if (QLabel* tile = setPieces_.value(it.key())) {
            tile->setPixmap(QPixmap::fromImage(it->image));
        } else if (it.key() == shown_) {
            if (it->image.isNull())
                view->setMessage(CannotBeShown(*it));
            else
                view->setPicture(it->image);
            applyZoom();
        }
    }
}

// Beside the window that opened it where there is room, and always whole on
// that window's screen: the window manager would put it over the wizard, and
// partly off a small screen.
void frmPreview::placeFirstTime(const QWidget* opener) {
    const QRect screen = (opener ? opener->screen() : this->screen())->availableGeometry();
    constexpr int FrameAllowance = 40; // the title bar and borders, unknown until shown
    resize(QSize(880, 540).boundedTo(screen.size() - QSize(FrameAllowance, FrameAllowance)));
    if (!opener)
        return;
    const QRect beside(opener->frameGeometry().topRight() + QPoint(1, 0),
                       size() + QSize(FrameAllowance, FrameAllowance));
    move(KeptOnScreen(beside, screen));
}

void frmPreview::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    loader_.cancel();
    if (!state_.WindowPosReset)
        SaveSetting(*state_.store, Store::WindowPos, Store::PreviewGeometry,
                    QString::fromLatin1(saveGeometry().toBase64()));
}
