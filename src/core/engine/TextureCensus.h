#pragma once

#include "package/UnrealPackage.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What a package's objects say about the names of its name table: which are
// its textures (Engine.Texture exports) and what the others are. Names are
// looked up ignoring case, as the found list holds them lower-cased.
class TextureCensus {
public:
    // A census that knows nothing: every name counts as a texture, nothing is
    // marked. Stands in when a package's objects cannot be read.
    TextureCensus() = default;
    explicit TextureCensus(const UnrealPackage& package);

    // False for the empty census.
    bool known() const { return known_; }
    bool isTexture(const QString& name) const;
    // The export of the texture called `name`, or -1.
    int textureExport(const QString& name) const;
    // The texture's name as its export spells it; `name` itself for others.
    QString spelling(const QString& name) const;
    // What a name that is no texture stands for: "a palette
    // (Engine.Palette)"; empty for a texture and for an empty census.
    QString whatItIs(const QString& name) const;

    // The package's textures, as their exports spell them, in table order.
    const QStringList& textureNames() const { return textures_; }
    // The textures `found` lacks (lower-cased, as the found list holds them),
    // in the order of `found`'s sort.
    QStringList leftOut(const QStringList& found) const;

private:
    struct Texture {
        int exportIndex = -1;
        QString spelling; // as the export spells it
    };
    bool known_ = false;
    QHash<QString, Texture> textureExports_; // lower-cased name -> its export
    QHash<QString, QString> others_;         // lower-cased name -> what it is
    QStringList textures_;
};

// What an export is, for a message: "a palette (Engine.Palette)".
QString ObjectKind(const PackageExport& e);

// "Not a texture in this package: a palette (Engine.Palette)"; empty for a
// texture.
QString NotATexture(const TextureCensus& census, const QString& name);

// "2 textures were left out by the filter list: a, b"; with `namesShown`,
// only as many names and "and N more".
QString LeftOutNote(const QStringList& leftOut, qsizetype namesShown = -1);

// The found names without those the census knows are no textures.
QStringList TexturesOnly(const QStringList& names, const TextureCensus& census);

// `list` with `added` merged in, every name in its sorted place.
QStringList MergedSorted(const QStringList& list, const QStringList& added);

// The pieces of a UT skin that the texture `name` belongs to, by the first
// four characters of its name (the skin's base, followed by a digit 1 to 5);
// none for other names. One row for the body parts base1 to base4, one per
// part with team colours (baseNT_0 to baseNT_3), and one per face (base<n>Face
// and the portrait base5Face). Each piece is the name the game loads; whether
// the package has it is for the caller to ask.
struct SkinSetRow {
    QString title;      // "Body", "Team 1", "Face Xan"
    QStringList pieces; // texture names in the game's spelling
};
QList<SkinSetRow> SkinSetOf(const QString& name, const TextureCensus& census);
