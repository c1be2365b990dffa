#include "widgets/ThumbnailLoader.h"

#include <QMutex>
#include <QThreadPool>
#include <atomic>

// What the loader and its running decodes share: the loader may be gone by the
// time a decode ends, so a decode hands its picture over only while `owner`
// is set, under the lock the loader's destructor takes to clear it.
struct ThumbnailLoader::Shared {
    std::atomic<quint64> generation = 0;
    QMutex lock;
    ThumbnailLoader* owner = nullptr;
    QList<std::pair<quint64, std::pair<QString, Thumbnail>>> done;
};

namespace {

// The pixels seen as a picture, without a copy: valid while `image` lives. A
// null image for pixels that do not match the size.
QImage PixelsAsImage(const RgbaImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != qsizetype(image.width) * image.height * 4)
        return {};
    return QImage(reinterpret_cast<const uchar*>(image.pixels.constData()), image.width,
                  image.height, image.width * 4, QImage::Format_RGBA8888);
}

Thumbnail Picture(const UnrealPackage& package, const ThumbnailRequest& request,
                  const TopMipDecoder& decode) {
    Thumbnail picture;
    if (const PackageResult<TextureInfo> info = package.texture(request.exportIndex))
        picture.format = info->format;
    const PackageResult<RgbaImage> pixels = decode(package, request.exportIndex);
    if (!pixels) {
        picture.error = pixels.error();
        return picture;
    }
    // A picture to be scaled down is read in place: the scaling makes the copy.
    const QImage pixelsSeen = PixelsAsImage(*pixels);
    const QSize size = pixelsSeen.size();
    if (!request.fitIn.isEmpty() &&
        (size.width() > request.fitIn.width() || size.height() > request.fitIn.height()))
        picture.image = pixelsSeen.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                            .scaled(request.fitIn, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    else
        picture.image = pixelsSeen.copy();
    return picture;
}

} // namespace

QImage ToQImage(const RgbaImage& image) {
    return PixelsAsImage(image).copy();
}

ThumbnailLoader::ThumbnailLoader(QObject* parent, TopMipDecoder decode)
    : QObject(parent), shared_(std::make_shared<Shared>()), decode_(std::move(decode)) {
    shared_->owner = this;
    if (!decode_)
        decode_ = [](const UnrealPackage& package, int index) {
            return package.decodeTopMip(index);
        };
}

ThumbnailLoader::~ThumbnailLoader() {
    cancel();
    QMutexLocker locked(&shared_->lock);
    shared_->owner = nullptr;
}

void ThumbnailLoader::cancel() {
    ++shared_->generation;
    outstanding_ = 0;
}

void ThumbnailLoader::start(const UnrealPackage& package, const QList<ThumbnailRequest>& requests) {
    cancel();
    const quint64 generation = shared_->generation;
    outstanding_ = int(requests.size());
    for (const ThumbnailRequest& request : requests) {
        QThreadPool::globalInstance()->start(
            [shared = shared_, generation, package, request, decode = decode_] {
                if (shared->generation != generation)
                    return;
                Thumbnail picture = Picture(package, request, decode);
                QMutexLocker locked(&shared->lock);
                if (!shared->owner || shared->generation != generation)
                    return;
                shared->done.append({generation, {request.name, std::move(picture)}});
                // One delivery carries every picture finished before it runs.
                if (shared->done.size() == 1)
                    QMetaObject::invokeMethod(shared->owner, &ThumbnailLoader::deliver,
                                              Qt::QueuedConnection);
            });
    }
    if (requests.isEmpty())
        emit finished();
}

void ThumbnailLoader::deliver() {
    QList<std::pair<quint64, std::pair<QString, Thumbnail>>> done;
    {
        QMutexLocker locked(&shared_->lock);
        done.swap(shared_->done);
    }
    QHash<QString, Thumbnail> pictures;
    int current = 0;
    for (auto& [generation, picture] : done) {
        if (generation != shared_->generation)
            continue;
        ++current;
        pictures.insert(picture.first, std::move(picture.second));
    }
    if (current == 0)
        return;
    outstanding_ -= current;
    emit ready(pictures);
    if (outstanding_ <= 0)
        emit finished();
}
