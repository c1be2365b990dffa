// Textures and palettes: their tagged properties, mips and colours, and the
// top mip in RGBA.

#include "package/ByteCursor.h"
#include "package/PackageData.h"
#include "package/PixelDecode.h"

namespace {

constexpr quint16 FirstMipSkipVersion = 63;
constexpr qint32 PaletteColours = 256;
constexpr qint64 SmallestMip = 11; // a one-byte length, two 32-bit sizes and two bit counts

enum PropertyType {
    ByteProperty = 1,
    IntProperty = 2,
    BoolProperty = 3,
    ObjectProperty = 5,
    StructProperty = 10
};

PackageError Error(const PackageExport& e, const QString& what) {
    return {QStringLiteral("%1 %2: %3").arg(e.className, e.path, what)};
}

// One tag of a property list: its name, type and the bytes of its value.
struct PropertyTag {
    QString name;
    int type = 0;
    bool boolValue = false;
    int arrayIndex = 0;
    QByteArrayView value;
};

int ArrayIndex(ByteCursor& in) {
    const quint8 first = in.byte();
    if (!(first & 0x80))
        return first;
    if (!(first & 0x40))
        return ((first & 0x7F) << 8) | in.byte();
    const quint8 b1 = in.byte(), b2 = in.byte(), b3 = in.byte();
    return ((first & 0x3F) << 24) | (b1 << 16) | (b2 << 8) | b3;
}

qint64 ValueSize(ByteCursor& in, int sizeCode) {
    static constexpr int FixedSizes[] = {1, 2, 4, 12, 16};
    if (sizeCode < 5)
        return FixedSizes[sizeCode];
    if (sizeCode == 5)
        return in.byte();
    return sizeCode == 6 ? in.uint16() : in.int32();
}

// The next tag, or nothing at the list's end ("None") or when the list runs
// off its object or names a name that does not exist.
std::optional<PropertyTag> NextTag(ByteCursor& in, const QList<PackageName>& names, bool& damaged) {
    const qint32 nameIndex = in.compact();
    damaged = in.failed() || nameIndex < 0 || nameIndex >= names.size();
    if (damaged || names[nameIndex].text.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    PropertyTag tag;
    tag.name = names[nameIndex].text;
    const quint8 info = in.byte();
    tag.type = info & 0x0F;
    if (tag.type == StructProperty) {
        const qint32 structName = in.compact();
        damaged = structName < 0 || structName >= names.size();
    }
    const qint64 size = ValueSize(in, (info >> 4) & 7);
    if (tag.type == BoolProperty)
        tag.boolValue = info & 0x80;
    else if (info & 0x80)
        tag.arrayIndex = ArrayIndex(in);
    tag.value = in.bytes(size);
    damaged = damaged || in.failed();
    return damaged ? std::nullopt : std::optional<PropertyTag>(tag);
}

// Takes the tags a texture is described by; others are passed over.
bool ApplyTextureTag(const PropertyTag& tag, TextureInfo& info) {
    if (tag.arrayIndex != 0)
        return true;
    const auto is = [&](const char* name, int type) {
        return tag.type == type && tag.name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    ByteCursor value(tag.value, 0, tag.value.size());
    if (is("Format", ByteProperty))
        info.format = value.byte();
    else if (is("CompFormat", ByteProperty))
        info.compFormat = value.byte();
    else if (is("UBits", ByteProperty))
        info.uBits = value.byte();
    else if (is("VBits", ByteProperty))
        info.vBits = value.byte();
    else if (is("USize", IntProperty))
        info.uSize = value.int32();
    else if (is("VSize", IntProperty))
        info.vSize = value.int32();
    else if (is("Palette", ObjectProperty))
        info.paletteRef = value.compact();
    else if (is("bMasked", BoolProperty))
        info.masked = tag.boolValue;
    else if (is("bHasComp", BoolProperty))
        info.hasComp = tag.boolValue;
    return !value.failed();
}

// A mip array: a compact count, then per mip (from version 63) the offset of
// its data's end, the data with its compact length, its size and bit counts.
std::optional<QString> ReadMips(ByteCursor& in, quint16 version, QList<TextureMip>& mips) {
    const qint32 count = in.compact();
    if (in.failed() || count < 0 || count > in.remaining() / SmallestMip)
        return QStringLiteral("its mip count is impossible");
    for (qint32 i = 0; i < count; ++i) {
        const qint32 dataEnd = version >= FirstMipSkipVersion ? in.int32() : 0;
        TextureMip mip;
        mip.dataSize = in.compact();
        mip.dataOffset = in.position();
        in.bytes(mip.dataSize);
        if (!in.failed() && version >= FirstMipSkipVersion && dataEnd != in.position())
            return QStringLiteral("mip %1 does not end where it says").arg(i);
        mip.width = in.int32();
        mip.height = in.int32();
        mip.uBits = in.byte();
        mip.vBits = in.byte();
        if (in.failed())
            return QStringLiteral("mip %1 runs past its object").arg(i);
        mips.append(mip);
    }
    return std::nullopt;
}

} // namespace

QString TextureFormatName(int format) {
    static const char* const Names[] = {"P8",   "RGBA7", "RGB16", "DXT1",
                                        "RGB8", "RGBA8", "DXT3",  "DXT5"};
    return format >= 0 && format < 8 ? QString::fromLatin1(Names[format]) : QString::number(format);
}

bool UnrealPackage::isTexture(int exportIndex) const {
    return exportIndex >= 0 && exportIndex < d_->exports.size() &&
           d_->exports[exportIndex].className == QLatin1String("Engine.Texture");
}

bool UnrealPackage::isPalette(int exportIndex) const {
    return exportIndex >= 0 && exportIndex < d_->exports.size() &&
           d_->exports[exportIndex].className == QLatin1String("Engine.Palette");
}

PackageResult<TextureInfo> UnrealPackage::texture(int exportIndex) const {
    if (!isTexture(exportIndex))
        return PackageError{QStringLiteral("export %1 is not a texture").arg(exportIndex)};
    const PackageExport& e = d_->exports[exportIndex];
    ByteCursor in(d_->bytes, e.serialOffset, qint64(e.serialOffset) + e.serialSize);
    TextureInfo info;
    bool damaged = false;
    while (const std::optional<PropertyTag> tag = NextTag(in, names(), damaged))
        if (!ApplyTextureTag(*tag, info))
            return Error(e, QStringLiteral("its property %1 is damaged").arg(tag->name));
    if (damaged)
        return Error(e, QStringLiteral("its property list runs past its object or is damaged"));
    if (const std::optional<QString> error = ReadMips(in, header().version, info.mips))
        return Error(e, *error);
    if (info.hasComp)
        if (const std::optional<QString> error = ReadMips(in, header().version, info.compMips))
            return Error(e, QStringLiteral("compressed ") + *error);
    return info;
}

PackageResult<QByteArray> UnrealPackage::palette(int exportIndex) const {
    if (!isPalette(exportIndex))
        return PackageError{QStringLiteral("export %1 is not a palette").arg(exportIndex)};
    const PackageExport& e = d_->exports[exportIndex];
    ByteCursor in(d_->bytes, e.serialOffset, qint64(e.serialOffset) + e.serialSize);
    bool damaged = false;
    while (NextTag(in, names(), damaged)) {
    }
    const qint32 count = in.compact();
    if (!damaged && !in.failed() && count != PaletteColours)
        return Error(e, QStringLiteral("it holds %1 colours instead of 256").arg(count));
    const QByteArrayView colours = in.bytes(qint64(PaletteColours) * 4);
    if (damaged || in.failed())
        return Error(e, QStringLiteral("it is cut short or damaged"));
    return colours.toByteArray();
}

PackageResult<RgbaImage> UnrealPackage::decodeTopMip(int exportIndex) const {
    const PackageResult<TextureInfo> info = texture(exportIndex);
    if (!info)
        return PackageError{info.error()};
    const PackageExport& e = d_->exports[exportIndex];
    if (info->mips.isEmpty())
        return Error(e, QStringLiteral("it has no mips"));
    const TextureMip& top = info->mips.front();
    const qint64 needed = MipBytesNeeded(info->format, top.width, top.height);
    if (needed < 0)
        return Error(
            e,
            QStringLiteral("its format %1 cannot be decoded").arg(TextureFormatName(info->format)));
    if (needed > top.dataSize)
        return Error(e, QStringLiteral("its top mip holds %1 bytes, %2 × %3 %4 needs %5")
                            .arg(top.dataSize)
                            .arg(top.width)
                            .arg(top.height)
                            .arg(TextureFormatName(info->format))
                            .arg(needed));
    QByteArray colours;
    if (info->format == int(TextureFormat::P8)) {
        if (info->paletteRef <= 0)
            return Error(e, QStringLiteral("its palette cannot be read (it names none)"));
        const PackageResult<QByteArray> palette = this->palette(info->paletteRef - 1);
        if (!palette)
            return Error(e, QStringLiteral("its palette cannot be read (%1)").arg(palette.error()));
        colours = *palette;
    }
    const QByteArrayView data = d_->bytes.sliced(top.dataOffset, needed);
    return RgbaImage{
        top.width, top.height,
        DecodePixels(info->format, data, top.width, top.height, colours, info->masked)};
}
