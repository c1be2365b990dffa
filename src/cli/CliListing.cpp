#include "CliListing.h"

#include "CliConsole.h"
#include "CliOutput.h"
#include "package/UnrealPackage.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace {

std::optional<UnrealPackage> OpenOrReport(const QString& path) {
    PackageResult<UnrealPackage> package = UnrealPackage::open(path);
    if (package)
        return *package;
    ReportError(QStringLiteral("%1: %2.").arg(path, package.error()));
    return std::nullopt;
}

// Path, class and, for a texture, its top mip's size and format.
QString ExportLine(const UnrealPackage& package, int index, const QString& path) {
    const PackageExport& e = package.exports()[index];
    QString texture = QStringLiteral("\t\t");
    if (package.isTexture(index)) {
        const PackageResult<TextureInfo> info = package.texture(index);
        if (info)
            texture = QStringLiteral("%1\t%2\t%3")
                          .arg(info->width())
                          .arg(info->height())
                          .arg(TextureFormatName(info->format));
        else
            ReportWarning(QStringLiteral("%1: %2.").arg(path, info.error()));
    }
    return e.path + QLatin1Char('\t') + e.className + QLatin1Char('\t') + texture +
           QLatin1Char('\n');
}

QByteArray PngBytes(const RgbaImage& image) {
    const QImage view(reinterpret_cast<const uchar*>(image.pixels.constData()), image.width,
                      image.height, qsizetype(image.width) * 4, QImage::Format_RGBA8888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return view.save(&buffer, "PNG") ? png : QByteArray();
}

// A path that names a file inside the package's folder: no separators and no
// control characters, which a damaged or hostile package could hold.
bool IsSafeFileName(const QString& path) {
    return std::none_of(path.cbegin(), path.cend(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20;
    });
}

CliStatus ExtractTexture(const UnrealPackage& package, int index, const QString& path,
                         const QDir& folder, CliOutput& output) {
    const PackageExport& e = package.exports()[index];
    if (!IsSafeFileName(e.path)) {
        ReportWarning(QStringLiteral("%1: the texture \"%2\" has a name no file can take; skipped.")
                          .arg(path, e.path));
        return CliStatus::Done;
    }
    const PackageResult<RgbaImage> image = package.decodeTopMip(index);
    if (!image) {
        ReportWarning(QStringLiteral("%1: %2; skipped.").arg(path, image.error()));
        return CliStatus::Done;
    }
    const QByteArray png = PngBytes(*image);
    QString error = QStringLiteral("%1: could not make a PNG of %2.").arg(path, e.path);
    const CliStatus status =
        png.isEmpty()
            ? CliStatus::NotWritten
            : output.toFile(folder.filePath(e.path + QStringLiteral(".png")), path, png, &error);
    if (status != CliStatus::Done)
        ReportError(error);
    return status;
}

CliStatus ExtractPackage(const QString& dir, const QString& path, CliOutput& output) {
    const std::optional<UnrealPackage> package = OpenOrReport(path);
    if (!package)
        return CliStatus::Unreadable;
    const QDir folder(QDir(dir).filePath(package->packageName()));
    if (!QDir().mkpath(folder.path())) {
        ReportError(QStringLiteral("Could not make the folder %1.").arg(folder.path()));
        return CliStatus::NotWritten;
    }
    CliStatus worst = CliStatus::Done;
    for (int i = 0; i < package->exports().size(); ++i)
        if (package->isTexture(i))
            worst = Worse(worst, ExtractTexture(*package, i, path, folder, output));
    return worst;
}

} // namespace

CliStatus ListPackages(const QStringList& packages) {
    CliStatus worst = CliStatus::Done;
    for (const QString& path : packages) {
        const std::optional<UnrealPackage> package = OpenOrReport(path);
        if (!package) {
            worst = Worse(worst, CliStatus::Unreadable);
            continue;
        }
        QString text = packages.size() > 1
                           ? QStringLiteral("# %1\n").arg(QFileInfo(path).fileName())
                           : QString();
        for (int i = 0; i < package->exports().size(); ++i)
            text += ExportLine(*package, i, path);
        QString error;
        if (!WriteStandardOutput(ForTerminal(text), &error)) {
            ReportError(error);
            return Worse(worst, CliStatus::NotWritten);
        }
    }
    return worst;
}

CliStatus ExtractPackages(const QString& dir, const QStringList& packages, bool force) {
    CliOutput output(force);
    CliStatus worst = CliStatus::Done;
    for (const QString& path : packages)
        worst = Worse(worst, ExtractPackage(dir, path, output));
    return worst;
}
