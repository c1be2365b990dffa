#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <utility>

// An Unreal Engine 1 package (.utx, .u, .unr; versions 61 to 69 and the
// community patch's 469 saves): its header and tables, its textures and
// palettes, and a texture's top mip as RGBA bytes.
//
// Opening checks the header and every table against the file; the pixels are
// read only when a texture is asked for. An opened package is immutable: its
// const functions may be called from several threads at once, and copies are
// cheap (they share the file's bytes).

// Why something could not be read ("mip 0 runs past its object").
struct PackageError {
    QString text;
};

// A value, or the reason there is none.
template <typename T> class PackageResult {
public:
    PackageResult(T value) : value_(std::move(value)) {}
    PackageResult(PackageError error) : error_(std::move(error.text)) {}

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const QString& error() const { return error_; }

private:
    std::optional<T> value_;
    QString error_;
};

struct PackageGeneration {
    qint32 exportCount = 0;
    qint32 nameCount = 0;
};

struct PackageHeader {
    quint16 version = 0; // file version
    quint16 licensee = 0;
    quint32 flags = 0;
    qint32 nameCount = 0, nameOffset = 0;
    qint32 exportCount = 0, exportOffset = 0;
    qint32 importCount = 0, importOffset = 0;
    qint32 heritageCount = 0, heritageOffset = 0; // before version 68
    QByteArray guid;                              // from version 68: 16 bytes
    QList<PackageGeneration> generations;         // from version 68
};

// A name as stored (Windows-1252, case kept) and its object flags.
struct PackageName {
    QString text;
    quint32 flags = 0;
};

// Object references: 0 none, n > 0 export n - 1, n < 0 import -n - 1.
struct PackageImport {
    QString classPackage; // "Core"
    QString className;    // "Package", "Class"
    qint32 outer = 0;
    QString name;
};

struct PackageExport {
    qint32 classRef = 0;
    qint32 superRef = 0;
    qint32 outer = 0;
    QString name;
    quint32 flags = 0;
    qint32 serialSize = 0;
    qint32 serialOffset = 0; // 0 when serialSize is 0
    QString className;       // "Engine.Texture", "Core.Package"; "Core.Class" for a class
    QString path;            // inside the package, through the outers: "Name" or "Group.Name"
};

// The engine's texture formats by number; a texture may carry others.
enum class TextureFormat { P8, RGBA7, RGB16, DXT1, RGB8, RGBA8, DXT3, DXT5 };

// "P8", "DXT1", … for the known numbers, otherwise the number itself.
QString TextureFormatName(int format);

// One mip level; its pixel bytes lie at dataOffset in the file.
struct TextureMip {
    qint32 width = 0, height = 0;
    quint8 uBits = 0, vBits = 0;
    qint64 dataOffset = 0, dataSize = 0;
};

// What an Engine.Texture export says about itself.
struct TextureInfo {
    int format = 0; // a TextureFormat number; P8 when the property is absent
    qint32 uSize = 0, vSize = 0;
    quint8 uBits = 0, vBits = 0;
    qint32 paletteRef = 0; // object reference of its Engine.Palette
    bool masked = false;   // P8: colour 0 is transparent
    bool hasComp = false;
    int compFormat = 0;
    QList<TextureMip> mips;     // largest first
    QList<TextureMip> compMips; // only when hasComp

    qint32 width() const { return mips.isEmpty() ? 0 : mips.front().width; }
    qint32 height() const { return mips.isEmpty() ? 0 : mips.front().height; }
};

// Pixels as R, G, B, A bytes, rows top to bottom, no padding.
struct RgbaImage {
    qint32 width = 0, height = 0;
    QByteArray pixels; // width * height * 4 bytes
};

// The header and name table only, for readers that need nothing else.
struct PackageNameTable {
    PackageHeader header;
    QList<PackageName> names;
};

// Reads the header, then the name table where the header puts it; the file is
// never read whole. `path` must be a regular file.
PackageResult<PackageNameTable> ReadPackageNames(const QString& path);
PackageResult<PackageNameTable> ReadPackageNames(QByteArrayView bytes);

class UnrealPackage {
public:
    // The package at `path` (a regular file), mapped rather than read; its name
    // is the file's base name ("BossSkins").
    static PackageResult<UnrealPackage> open(const QString& path);
    static PackageResult<UnrealPackage> fromBytes(QByteArray bytes, const QString& packageName);

    const QString& packageName() const;
    const PackageHeader& header() const;
    const QList<PackageName>& names() const;
    const QList<PackageImport>& imports() const;
    const QList<PackageExport>& exports() const; // in table order

    bool isTexture(int exportIndex) const; // class Engine.Texture
    bool isPalette(int exportIndex) const; // class Engine.Palette

    // Each reads only that object's bytes (and its palette's).
    PackageResult<TextureInfo> texture(int exportIndex) const;
    PackageResult<QByteArray> palette(int exportIndex) const; // 256 × R, G, B, A as stored
    // The top mip in RGBA. P8 colours are opaque, except colour 0 of a
    // masked texture; formats other than P8, DXT1, DXT3, DXT5, RGB8 and RGBA8
    // are refused.
    PackageResult<RgbaImage> decodeTopMip(int exportIndex) const;

    struct Data;

private:
    explicit UnrealPackage(std::shared_ptr<const Data> data) : d_(std::move(data)) {}
    std::shared_ptr<const Data> d_;
};
