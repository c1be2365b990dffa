#pragma once

#include "catalogue/ModelSlots.h"
#include "check/Finding.h"
#include "check/IntEntries.h"
#include "check/SkinMenu.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// One object of a package as the check needs it.
struct PackageObject {
    QString group; // the group path ("" at the top, "Group" or "Group.Sub")
    QString name;
    QString className; // "Texture", "Palette", ...
};

// What a package holds, looked up ignoring case as the game does.
class PackageContents {
public:
    PackageContents() = default;
    PackageContents(QString name, const QList<PackageObject>& objects);

    const QString& name() const { return name_; }
    const QList<PackageObject>& objects() const { return objects_; }
    // The object an .int names (Package.Object or Package.Group.Object); null
    // when the package has none.
    const PackageObject* find(const QString& object) const;

private:
    QString name_;
    QList<PackageObject> objects_;
    QHash<QString, qsizetype> index_; // lower-case "group.name" -> position
};

// An .int file the game reads besides the one checked.
struct IntFile {
    QString fileName;
    QList<IntEntry> entries;
};

// What the game's folder tells the check.
struct GameFiles {
    QString intFolder;                    // where the game reads .int files
    QList<IntFile> intFiles;              // every .int file there
    QSet<QString> packagesOnPath;         // lower-case names of the packages the game can find
    QMultiHash<QString, QString> namedIn; // lower-case object -> .int files naming it

    void add(IntFile file);
};

// Everything the check looks at; only the text is required.
struct CheckInput {
    QString text;
    QString packageName;                      // the package the text is for; empty: unknown
    const PackageContents* package = nullptr; // its contents, when read
    const ModelSlots* model = nullptr;        // the chosen skin type's model
    const GameFiles* game = nullptr;          // the game's folder, when known
};

struct CheckResult {
    QList<Finding> findings; // in line order
    QList<MenuSkin> menu;    // what the player setup menu lists for the model
};

// Checks an .int text the way the game reads it.
CheckResult CheckSkin(const CheckInput& input);
