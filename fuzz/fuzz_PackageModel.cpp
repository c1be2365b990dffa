// Any bytes offered as a whole package are opened or refused, and every
// texture and palette of an opened one is read and decoded or refused,
// without a crash, a hang or an allocation out of proportion to their size.
#include "package/UnrealPackage.h"

#include <cstdint>
#include <cstdlib>

namespace {
void CheckObjects(const UnrealPackage& package, std::size_t size) {
    for (int i = 0; i < package.exports().size(); ++i) {
        if (package.isPalette(i) && package.palette(i) && package.palette(i)->size() != 1024)
            std::abort();
        if (!package.isTexture(i))
            continue;
        const PackageResult<TextureInfo> info = package.texture(i);
        for (const TextureMip& mip : info ? info->mips : QList<TextureMip>())
            if (mip.dataOffset + mip.dataSize > qint64(size))
                std::abort();
        const PackageResult<RgbaImage> image = package.decodeTopMip(i);
        if (image && (image->pixels.size() != qint64(image->width) * image->height * 4 ||
                      image->pixels.size() > qint64(size) * 32))
            std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PackageResult<UnrealPackage> package =
        UnrealPackage::fromBytes(std::move(bytes), QStringLiteral("Fuzz"));
    if (!package) {
        if (package.error().isEmpty())
            std::abort();
        return 0;
    }
    if (package->names().isEmpty() || package->names().size() > qsizetype(size))
        std::abort();
    CheckObjects(*package, size);
    return 0;
}
