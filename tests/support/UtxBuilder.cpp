#include "UtxBuilder.h"

#include "engine/FilterList.h"
#include "services/Text1252.h"

#include <QFile>
#include <QtEndian>

namespace {
constexpr quint32 PackageTag = 0x9E2A83C1;
constexpr quint32 ObjectFlags = 0x00070004; // public, standalone, loaded for client/server/editor
constexpr int FirstGuidVersion = 68, FirstLengthVersion = 64, FirstSkipVersion = 63;
enum { ByteType = 1, IntType = 2, BoolType = 3, ObjectType = 5 };

QByteArray Int32(qint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A name table entry: from version 64 its length first; then the text, its
// terminator and the flags real packages carry.
QByteArray NameEntry(quint16 version, const QString& text) {
    const QByteArray bytes = ToWindows1252(text).value_or(text.toLatin1()) + '\0';
    const QByteArray entry = bytes + Int32(0x00070010);
    return version >= FirstLengthVersion ? CompactIndex(qint32(bytes.size())) + entry : entry;
}

// A tag and value of a property list; bools keep their value in the tag.
QByteArray Property(qint32 name, int type, QByteArrayView value, bool boolValue = false) {
    static constexpr int SizeCodes[] = {-1, 0, 1, -1, 2};
    const int code =
        value.size() <= 4 && SizeCodes[value.size()] >= 0 ? SizeCodes[value.size()] : 5;
    QByteArray tag = CompactIndex(name);
    tag += char(type | (code << 4) | (boolValue ? 0x80 : 0));
    if (code == 5)
        tag += char(value.size());
    return tag + value.toByteArray();
}

// A mip array of one mip; from version 63 each mip opens with where its data ends.
QByteArray OneMip(quint16 version, qint64 start, const TextureShape& shape, QByteArrayView data) {
    QByteArray mip = CompactIndex(1);
    const QByteArray sized = CompactIndex(qint32(data.size())) + data.toByteArray();
    if (version >= FirstSkipVersion)
        mip += Int32(qint32(start + mip.size() + 4 + sized.size()));
    mip += sized + Int32(shape.width) + Int32(shape.height);
    return mip + char(qCountTrailingZeroBits(quint32(shape.width))) +
           char(qCountTrailingZeroBits(quint32(shape.height)));
}
} // namespace

QByteArray CompactIndex(qint32 value) {
    quint32 v = quint32(value < 0 ? -qint64(value) : value);
    QByteArray bytes(1, char((value < 0 ? 0x80 : 0) | (v > 0x3F ? 0x40 : 0) | (v & 0x3F)));
    for (v >>= 6; v; v >>= 7)
        bytes.append(char((v & 0x7F) | (v > 0x7F ? 0x80 : 0)));
    return bytes;
}

void PutInt32(QByteArray& bytes, qsizetype at, qint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

PackageBuilder::PackageBuilder(quint16 version, int generations, const QStringList& names)
    : version_(version), generations_(generations), names_(names) {}

qint32 PackageBuilder::name(const QString& text) {
    const qsizetype at = names_.indexOf(text);
    if (at >= 0)
        return qint32(at);
    names_.append(text);
    return qint32(names_.size() - 1);
}

// An import, added once for its outer and name.
qint32 PackageBuilder::import(const QString& classPackage, const QString& className, qint32 outer,
                              const QString& objectName) {
    for (qsizetype i = 0; i < imports_.size(); ++i)
        if (imports_[i].outer == outer && names_[imports_[i].name] == objectName)
            return -qint32(i) - 1;
    imports_.append({name(classPackage), name(className), outer, name(objectName)});
    return -qint32(imports_.size());
}

qint32 PackageBuilder::classRef(const QString& package, const QString& className) {
    return import("Core", "Class", import("Core", "Package", 0, package), className);
}

qint32 PackageBuilder::object(qint32 classRef, qint32 outer, const QString& objectName,
                              QByteArray body) {
    exports_.append({classRef, outer, name(objectName), [body](qint64) { return body; }});
    return qint32(exports_.size());
}

qint32 PackageBuilder::group(const QString& objectName, qint32 outer) {
    return object(classRef("Core", "Package"), outer, objectName, CompactIndex(name("None")));
}

qint32 PackageBuilder::palette(const QString& objectName, const QByteArray& colours, qint32 outer) {
    const QByteArray body = CompactIndex(name("None")) + CompactIndex(qint32(colours.size() / 4));
    return object(classRef("Engine", "Palette"), outer, objectName, body + colours);
}

qint32 PackageBuilder::texture(const QString& objectName, const TextureShape& shape, qint32 outer) {
    QByteArray props;
    if (shape.format != 0)
        props += Property(name("Format"), ByteType, QByteArray(1, char(shape.format)));
    if (shape.palette != 0)
        props += Property(name("Palette"), ObjectType, CompactIndex(shape.palette));
    props += Property(name("USize"), IntType, Int32(shape.width));
    props += Property(name("VSize"), IntType, Int32(shape.height));
    if (shape.masked)
        props += Property(name("bMasked"), BoolType, {}, true);
    if (!shape.compressed.isEmpty())
        props += Property(name("bHasComp"), BoolType, {}, true) +
                 Property(name("CompFormat"), ByteType, QByteArray(1, char(3)));
    props += CompactIndex(name("None"));
    const quint16 version = version_;
    auto body = [props, shape, version](qint64 start) {
        QByteArray bytes = props + OneMip(version, start + props.size(), shape, shape.pixels);
        if (!shape.compressed.isEmpty())
            bytes += OneMip(version, start + bytes.size(), shape, shape.compressed);
        return bytes;
    };
    exports_.append({classRef("Engine", "Texture"), outer, name(objectName), body});
    return qint32(exports_.size());
}

QByteArray PackageBuilder::header(qint64 nameOffset, qint64 importOffset,
                                  qint64 exportOffset) const {
    QByteArray h = Int32(qint32(PackageTag)) + Int32(version_) + Int32(1);
    h += Int32(qint32(names_.size())) + Int32(qint32(nameOffset));
    h += Int32(qint32(exports_.size())) + Int32(qint32(exportOffset));
    h += Int32(qint32(imports_.size())) + Int32(qint32(importOffset));
    if (version_ < FirstGuidVersion)
        return h + Int32(1) + Int32(44) + QByteArray(16, '\x11'); // one heritage GUID
    h += QByteArray(16, '\x22') + Int32(generations_);
    for (int i = 0; i < generations_; ++i)
        h += Int32(qint32(exports_.size())) + Int32(qint32(names_.size()));
    return h;
}

QByteArray PackageBuilder::build() const {
    QByteArray names;
    for (const QString& text : names_)
        names += NameEntry(version_, text);
    const qint64 nameOffset = header(0, 0, 0).size();
    QByteArray objects;
    QByteArray exportTable;
    for (const Export& e : exports_) {
        const qint64 start = nameOffset + names.size() + objects.size();
        const QByteArray body = e.body(start);
        exportTable += CompactIndex(e.classRef) + CompactIndex(0) + Int32(e.outer) +
                       CompactIndex(e.name) + Int32(qint32(ObjectFlags)) +
                       CompactIndex(qint32(body.size()));
        if (!body.isEmpty())
            exportTable += CompactIndex(qint32(start));
        objects += body;
    }
    QByteArray importTable;
    for (const Import& i : imports_)
        importTable += CompactIndex(i.classPackage) + CompactIndex(i.className) + Int32(i.outer) +
                       CompactIndex(i.name);
    const qint64 importOffset = nameOffset + names.size() + objects.size();
    return header(nameOffset, importOffset, importOffset + importTable.size()) + names + objects +
           importTable + exportTable;
}

QByteArray BuildTexturePackage(const QList<SyntheticTexture>& textures,
                               const QStringList& extraNames) {
    PackageBuilder package;
    QByteArray colours;
    for (quint32 colour = 0; colour < 256; ++colour)
        colours += Int32(qint32(0xFF000000u | colour * 0x00010203u));
    const qint32 palette = package.palette(QStringLiteral("Palette1"), colours);
    for (qsizetype i = 0; i < textures.size(); ++i) {
        const SyntheticTexture& t = textures[i];
        const qint64 size = t.format == 3 ? qint64((t.width + 3) / 4) * ((t.height + 3) / 4) * 8
                                          : qint64(t.width) * t.height * (t.format == 0 ? 1 : 4);
        QByteArray pixels(size, '\0');
        for (qsizetype b = 0; b < pixels.size(); ++b)
            pixels[b] = char((b * 7 + i) & 0xFF);
        package.texture(t.name, {t.format, t.width, t.height, pixels, palette});
    }
    for (const QString& text : extraNames)
        package.name(text);
    return package.build();
}

QByteArray BuildUtx64(const QStringList& names) {
    return PackageBuilder(69, 1, names).build();
}

QByteArray BuildUtx(qint32 nameCount, qint32 tableOffset, QByteArrayView table) {
    const qint32 values[] = {qint32(PackageTag), tableOffset < 64 ? 61 : 69, 1, nameCount,
                             tableOffset};
    QByteArray header(tableOffset > 44 ? tableOffset : 44, '\0');
    for (int i = 0; i < 5; ++i)
        PutInt32(header, 4 * i, values[i]);
    return header + table.toByteArray();
}

QByteArray SkinRecord(const SkinFormat& skin) {
    return QStringLiteral("[%1]\r\nExcl=\"%2\"\r\nSkinC=\"%3\"\r\nName=\"%4\"\r\nGrup=\"%5\"\r\n"
                          "Desc=\"%6\"\r\n\r\n")
        .arg(skin.Key, skin.ExcludeText, skin.SkinChar, skin.NamedChar, skin.GroupEndChar,
             skin.Description)
        .toLatin1();
}

void WriteExampleSkins(const QString& programDir, const QString& textures) {
    WriteBytes(programDir + "/SkinFormats.ini",
               SkinRecord({"SoldierSkins", "team", "1", "5", "4", "UT male soldier"}) +
                   SkinRecord({"CommandoSkins", "team", "1", "2", "5", "UT male commando"}));
    WriteBytes(programDir + "/unreal.flt", *EncodeFilterFile({"none", "color", "texture"}));
    WriteBytes(textures + "/SoldierSkins_Foo.utx",
               BuildUtx64({"None", "foot4", "SoldierSkins_Foo", "foot5joe", "foot1", "Color",
                           "foot5bob", "Texture"}));
    WriteBytes(textures + "/Mystery_Pack.UTX", BuildUtx64({"None", "abc1", "abc2", "abcd3"}));
}

bool WriteBytes(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}
