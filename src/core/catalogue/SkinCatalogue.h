#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// One skin type: how the script writer describes a package's textures.
struct SkinFormat {
    QString Key;
    QString ExcludeText;
    QString SkinChar;
    QString NamedChar;
    QString GroupEndChar;
    QString Description;

    friend bool operator==(const SkinFormat&, const SkinFormat&) = default;
};

// The catalogue read from SkinFormats.ini and the skin type in use.
struct CatalogueState {
    QList<SkinFormat> SkinCatalogue;
    SkinFormat CurrentSkin;
    bool SkinsRead = false;
};

// Parses SkinFormats.ini text (bytes as in the file) into `SkinCatalogue`.
bool ParseSkins(QByteArrayView bytes, QList<SkinFormat>& SkinCatalogue);

// Reads programDir/SkinFormats.ini into the catalogue; true when the whole
// file was read and the last record has a key.
bool ReadSkins(const QString& programDir, CatalogueState& state);

// Makes the first record whose Key begins `name` (ignoring case) the current
// skin type; true when one did.
bool MatchSkinFormat(const QString& name, const QString& programDir, CatalogueState& state);

// The type list as the wizard shows it after loading: the keys, and the entry
// to select (0, or -1 when the catalogue could not be read and the list is
// empty). Selecting it is the caller's business (SelectSkin).
struct SkinList {
    QStringList keys;
    int selected = -1;
};
SkinList LoadSkinInfo(const QString& programDir, CatalogueState& state);

// The type list's selection step: copies every field but Key of record
// `index` into CurrentSkin. An index outside the catalogue changes nothing.
void SelectSkin(int index, CatalogueState& state);

// The type list's entry whose text equals `key`, ignoring case; -1 when none.
int TypeListIndex(const QStringList& typeList, const QString& key);
