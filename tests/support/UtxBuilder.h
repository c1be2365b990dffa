#pragma once

#include "catalogue/SkinCatalogue.h"

#include <QByteArrayView>
#include <QList>
#include <QStringList>
#include <functional>

// A texture's contents for PackageBuilder.
struct TextureShape {
    int format = 0; // written as the Format property unless it is 0 (P8)
    qint32 width = 0, height = 0;
    QByteArray pixels = {}; // the top mip's bytes, as the format stores them
    qint32 palette = 0;     // object reference of its palette; 0 for none
    bool masked = false;
    QByteArray compressed = {}; // when not empty: bHasComp, CompFormat DXT1 and this one mip
};

// Whole synthetic packages laid out as the engine saves them: the header, the
// name table, every object's bytes, then the import and export tables. Names
// are stored as Windows-1252, `names` first as given; classes are imported as needed.
class PackageBuilder {
public:
    explicit PackageBuilder(quint16 version = 69, int generations = 1,
                            const QStringList& names = {});

    qint32 name(const QString& text); // its index, added on first use
    qint32 classRef(const QString& package, const QString& className);
    // An export with the given body; every function returns its object reference.
    qint32 object(qint32 classRef, qint32 outer, const QString& objectName, QByteArray body);
    qint32 group(const QString& objectName, qint32 outer = 0);
    qint32 palette(const QString& objectName, const QByteArray& colours, qint32 outer = 0);
    qint32 texture(const QString& objectName, const TextureShape& shape, qint32 outer = 0);

    QByteArray build() const;

private:
    struct Export {
        qint32 classRef, outer, name;
        std::function<QByteArray(qint64 start)> body; // given where it will lie
    };
    struct Import {
        qint32 classPackage, className, outer, name;
    };
    qint32 import(const QString& classPackage, const QString& className, qint32 outer,
                  const QString& objectName);
    QByteArray header(qint64 nameOffset, qint64 importOffset, qint64 exportOffset) const;

    quint16 version_;
    int generations_;
    QStringList names_;
    QList<Import> imports_;
    QList<Export> exports_;
};

// A texture of BuildTexturePackage: one mip of patterned pixels.
struct SyntheticTexture {
    QString name;
    int format = 0; // P8 = 0, RGBA7 = 1, DXT1 = 3, RGBA8 = 5
    int width = 8, height = 8;
};
// A version 69 package of the palette "Palette1" and these textures drawn with
// it; `extraNames` only join the name table, like a real package's property names.
QByteArray BuildTexturePackage(const QList<SyntheticTexture>& textures,
                               const QStringList& extraNames = {});

QByteArray CompactIndex(qint32 value);
void PutInt32(QByteArray& bytes, qsizetype at, qint32 value);
QByteArray BuildUtx64(const QStringList& names); // a version 69 package holding only names
// A header (version 69, or 61 below offset 64) and `table` placed at `tableOffset`.
QByteArray BuildUtx(qint32 nameCount, qint32 tableOffset, QByteArrayView table);

// A SkinFormats.ini record: the key line, the five values and the blank line after them.
QByteArray SkinRecord(const SkinFormat& skin);

bool WriteBytes(const QString& path, QByteArrayView bytes); // false when that failed

// A program folder of the soldier and commando types and a filter list; in `textures`
// SoldierSkins_Foo.utx, whose type is found, and Mystery_Pack.UTX, whose type is not.
void WriteExampleSkins(const QString& programDir, const QString& textures);
