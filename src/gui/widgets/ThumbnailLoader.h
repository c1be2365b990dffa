#pragma once

#include "package/UnrealPackage.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

// Decodes a texture's top mip. Tests put in one that waits for them.
using TopMipDecoder = std::function<PackageResult<RgbaImage>(const UnrealPackage&, int)>;

// The texture's pixels as a picture of its own (a deep copy); a null image
// for pixels that do not match the size.
QImage ToQImage(const RgbaImage& image);

// One texture to picture: its name (the key of the answer), its export, and
// the size its picture must fit in (aspect kept, never enlarged); an empty
// size asks for the picture as it is.
struct ThumbnailRequest {
    QString name;
    int exportIndex = -1;
    QSize fitIn;
};

// A picture, or why there is none.
struct Thumbnail {
    QImage image;
    QString error;
    int format = 0; // of the texture, when it could be read
};

// Pictures of a package's textures, decoded on the shared thread pool and
// handed over in batches as they are ready. Starting again or cancelling
// drops everything under way: a picture of an earlier start is never handed
// over, and the loader may be destroyed while a decode runs.
class ThumbnailLoader : public QObject {
    Q_OBJECT

public:
    explicit ThumbnailLoader(QObject* parent = nullptr, TopMipDecoder decode = {});
    ~ThumbnailLoader() override;

    void start(const UnrealPackage& package, const QList<ThumbnailRequest>& requests);
    void cancel();
    // Pictures of the current start not handed over yet.
    int outstanding() const { return outstanding_; }

signals:
    void ready(const QHash<QString, Thumbnail>& pictures);
    // Every picture of the current start has been handed over.
    void finished();

private:
    void deliver();

    struct Shared;
    std::shared_ptr<Shared> shared_;
    TopMipDecoder decode_;
    int outstanding_ = 0;
};
