#pragma once

#include "engine/TextureCensus.h"
#include "widgets/ThumbnailLoader.h"

#include <QWidget>
#include <array>
#include <optional>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QRadioButton;
class QScrollArea;
class TextureView;
class QVBoxLayout;
struct WindowContext;

// The texture preview: the picture of the entry selected in step four, large
// (fit to the window, or 1:1 / 2:1 with square pixels), what the package
// says about it, and the other pieces of its skin side by side. Not modal;
// its placement is kept across runs. Escape closes it.
class frmPreview : public QWidget {
    Q_OBJECT

public:
    explicit frmPreview(const WindowContext& state, QWidget* parent = nullptr,
                        TopMipDecoder decode = {});

    // Shows the entry `name` of the list. Without a package's objects nothing
    // can be shown; a name the census knows is no texture says what it is.
    void showEntry(const std::optional<UnrealPackage>& package, const TextureCensus& census,
                   const QString& name);

    // The zoom: 0 fits the window, 1 and 2 are 1:1 and 2:1.
    int zoom() const;

    QLabel* lblInfo = nullptr;
    TextureView* view = nullptr;
    std::array<QRadioButton*, 3> optZoom{};
    QLabel* lblSet = nullptr;
    QWidget* setPanel = nullptr;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QHBoxLayout* buildInfoRow();
    void buildView();
    QVBoxLayout* buildSkinSet();
    void placeFirstTime(const QWidget* opener);
    void applyZoom();
    void showPictures(const QHash<QString, Thumbnail>& pictures);
    void fillSet(const QList<SkinSetRow>& rows, const TextureCensus& census);

    const WindowContext& state_;
    ThumbnailLoader loader_;
    QScrollArea* scroller_ = nullptr;
    QGridLayout* setGrid_ = nullptr;
    QString shown_;                     // the name the large picture is for
    QHash<QString, QLabel*> setPieces_; // lower-cased piece name -> its tile
};
