#include "Thumbnail.h"

#include "engine/NameSorter.h"
#include "package/UnrealPackage.h"

#include <QBuffer>
#include <QHash>
#include <QImage>

namespace {

bool IsBodyTexture(const QString& name) {
    return name.size() == 5 && name.back() == QLatin1Char('1');
}

// The top mip as an image that owns its pixels.
QImage ToImage(const RgbaImage& picture) {
    const QImage view(reinterpret_cast<const uchar*>(picture.pixels.constData()), picture.width,
                      picture.height, QImage::Format_RGBA8888);
    return view.copy();
}

std::optional<QByteArray> EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes;
}

} // namespace

QList<int> ThumbnailCandidates(const UnrealPackage& package) {
    QStringList body, other;
    QHash<QString, int> exportOf; // a name found again in another group keeps its first export
    const QList<PackageExport>& exports = package.exports();
    for (int i = 0; i < exports.size(); ++i) {
        const QString& name = exports[i].name;
        if (!package.isTexture(i) || exportOf.contains(name))
            continue;
        exportOf.insert(name, i);
        (IsBodyTexture(name) ? body : other) << name;
    }
    SortArray(body);
    SortArray(other);
    QList<int> order;
    for (const QString& name : body + other)
        order << exportOf.value(name);
    return order;
}

std::optional<QByteArray> PackageThumbnail(const QString& path, int size, QString& error) {
    const PackageResult<UnrealPackage> package = UnrealPackage::open(path);
    if (!package) {
        error = package.error();
        return std::nullopt;
    }
    error = QStringLiteral("the package holds no texture");
    for (const int index : ThumbnailCandidates(*package)) {
        const PackageResult<RgbaImage> picture = package->decodeTopMip(index);
        if (!picture) {
            error = picture.error();
            continue;
        }
        QImage image = ToImage(*picture);
        if (image.width() > size || image.height() > size)
            image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (const std::optional<QByteArray> png = EncodePng(image))
            return png;
        error = QStringLiteral("the picture could not be made");
        return std::nullopt;
    }
    return std::nullopt;
}
