#include "TexturePackageBuilder.h"

#include <QtEndian>

namespace {

class Writer {
public:
    QByteArray bytes;

    void byte(int value) { bytes.append(char(value)); }
    void int32(qint32 value) {
        char raw[4];
        qToLittleEndian(value, raw);
        bytes.append(raw, 4);
    }
    // The engine's compact index: sign and six bits, then seven bits a byte.
    void compact(qint32 value) {
        quint32 rest = quint32(value < 0 ? -qint64(value) : value);
        int first = (value < 0 ? 0x80 : 0) | (rest & 0x3F);
        rest >>= 6;
        byte(first | (rest ? 0x40 : 0));
        while (rest) {
            byte((rest & 0x7F) | (rest > 0x7F ? 0x80 : 0));
            rest >>= 7;
        }
    }
    qint32 position(qint32 base) const { return base + qint32(bytes.size()); }
};

qint64 MipBytes(int format, int width, int height) {
    switch (format) {
    case 0:
        return qint64(width) * height;
    case 3:
        return qint64((width + 3) / 4) * ((height + 3) / 4) * 8;
    default:
        return qint64(width) * height * 4;
    }
}

} // namespace

QByteArray BuildTexturePackage(const QList<SyntheticTexture>& textures,
                               const QStringList& extraNames) {
    QStringList names{
        QStringLiteral("None"),    QStringLiteral("Core"),    QStringLiteral("Engine"),
        QStringLiteral("Package"), QStringLiteral("Class"),   QStringLiteral("Texture"),
        QStringLiteral("Palette"), QStringLiteral("Format"),  QStringLiteral("USize"),
        QStringLiteral("VSize"),   QStringLiteral("Palette1")};
    const auto index = [&names](const QString& name) { return qint32(names.indexOf(name)); };
    for (const SyntheticTexture& t : textures)
        names.append(t.name);
    names.append(extraNames);

    constexpr qint32 HeaderSize = 64;
    Writer tables;
    const qint32 nameOffset = HeaderSize;
    for (const QString& name : names) {
        const QByteArray text = name.toLatin1();
        tables.compact(qint32(text.size()) + 1);
        tables.bytes.append(text).append('\0');
        tables.int32(0x00070010);
    }
    const qint32 importOffset = tables.position(HeaderSize);
    const auto import = [&](const char* classPackage, const char* className, qint32 outer,
                            const char* name) {
        tables.compact(index(QLatin1String(classPackage)));
        tables.compact(index(QLatin1String(className)));
        tables.int32(outer);
        tables.compact(index(QLatin1String(name)));
    };
    import("Core", "Package", 0, "Engine");
    import("Core", "Class", -1, "Texture");
    import("Core", "Class", -1, "Palette");

    // Objects: the palette, then each texture; their offsets are absolute.
    struct Placed {
        qint32 classRef, name, offset, size;
    };
    QList<Placed> placed;
    Writer objects;
    const qint32 objectsAt = tables.position(HeaderSize);
    qint32 start = objects.position(objectsAt);
    objects.compact(0); // no properties
    objects.compact(256);
    for (int colour = 0; colour < 256; ++colour)
        objects.int32(qint32(0xFF000000u | quint32(colour) * 0x00010203u));
    placed.append(
        {-3, index(QStringLiteral("Palette1")), start, objects.position(objectsAt) - start});
    for (int i = 0; i < textures.size(); ++i) {
        const SyntheticTexture& t = textures[i];
        start = objects.position(objectsAt);
        objects.compact(index(QStringLiteral("Format")));
        objects.byte(0x01);
        objects.byte(t.format);
        for (const auto& [property, value] :
             {std::pair{"USize", t.width}, std::pair{"VSize", t.height}}) {
            objects.compact(index(QLatin1String(property)));
            objects.byte(0x22);
            objects.int32(value);
        }
        objects.compact(index(QStringLiteral("Palette")));
        objects.byte(0x05);
        objects.compact(1); // export 0, the palette
        objects.compact(0);
        const qint64 size = MipBytes(t.format, t.width, t.height);
        objects.compact(1);
        const qint32 sizeFieldAt = objects.position(objectsAt);
        objects.int32(0); // the data's end, set below
        objects.compact(qint32(size));
        for (qint64 b = 0; b < size; ++b)
            objects.byte(int((b * 7 + i) & 0xFF));
        qToLittleEndian(objects.position(objectsAt),
                        objects.bytes.data() + (sizeFieldAt - objectsAt));
        objects.int32(t.width);
        objects.int32(t.height);
        objects.byte(0);
        objects.byte(0);
        placed.append({-2, qint32(11 + i), start, objects.position(objectsAt) - start});
    }

    Writer exports;
    for (const Placed& p : placed) {
        exports.compact(p.classRef);
        exports.compact(0);
        exports.int32(0);
        exports.compact(p.name);
        exports.int32(0x00070004);
        exports.compact(p.size);
        exports.compact(p.offset);
    }
    const qint32 exportOffset = objects.position(objectsAt);

    Writer header;
    header.int32(qint32(0x9E2A83C1u));
    header.bytes.append("\x45\x00\x00\x00", 4); // version 69, licensee 0
    header.int32(1);
    for (qint32 value :
         {qint32(names.size()), nameOffset, qint32(placed.size()), exportOffset, 3, importOffset})
        header.int32(value);
    header.bytes.append(16, '\x11');
    header.int32(1);
    header.int32(qint32(placed.size()));
    header.int32(qint32(names.size()));
    return header.bytes + tables.bytes + objects.bytes + exports.bytes;
}
