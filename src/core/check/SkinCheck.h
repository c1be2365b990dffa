#pragma once

#include "catalogue/ModelSlots.h"
#include "check/Finding.h"
#include "check/IntEntries.h"
#include "check/SkinMenu.h"
#include "package/UnrealPackage.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>

// What a package holds, as the check needs it: its exports by their path
// inside the package, looked up ignoring case as the game does. Copies share
// the package's bytes.
class PackageContents {
public:
    explicit PackageContents(UnrealPackage package);

    const QString& name() const { return package_.packageName(); }
    const UnrealPackage& package() const { return package_; }
    // The export an .int names (Package.Object or Package.Group.Object); -1
    // when the package has none.
    int find(const QString& object) const;
    // Whether that export is a texture the game can put on a model.
    bool isTexture(const QString& object) const;

private:
    UnrealPackage package_;
    QHash<QString, int> index_; // lower-case "group.name" -> export
};

// An .int file the game reads besides the one checked.
struct IntFile {
    QString fileName;
    QList<IntEntry> entries;
};

// What the game's folder tells the check.
struct GameFiles {
    QString intFolder;                    // where the game reads .int files
    QSet<QString> packagesOnPath;         // lower-case names of the packages the game can find
    QMultiHash<QString, QString> namedIn; // lower-case object -> .int files naming it
    // Described skins (names of up to five characters) by their first four
    // characters, exactly, as the menu matches faces to them: file, entry.
    QMultiHash<QString, std::pair<QString, IntEntry>> skinsByBase;

    // Takes in the entries of one .int file there.
    void add(const IntFile& file);
};

struct CheckResult {
    QList<Finding> findings; // in line order
    QList<MenuSkin> menu;    // what the player setup menu lists for the model
};

// What a text is checked against besides the game's folder: the package it is
// for and the chosen skin type's model.
struct CheckSubject {
    QString packageName;
    std::shared_ptr<const PackageContents> package; // null when its objects could not be read
    std::optional<ModelSlots> model;                // none for a type the slot table lacks
};

// Checks an .int text the way the game reads it; `game` is the game's folder,
// when known.
CheckResult CheckSkin(const QString& text, const CheckSubject& subject, const GameFiles* game);
