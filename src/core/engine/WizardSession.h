#pragma once

#include "catalogue/SkinCatalogue.h"
#include "check/SkinCheck.h"
#include "engine/PackageRecord.h"
#include "engine/TextureCensus.h"
#include "engine/UnwritableNames.h"
#include "package/UnrealPackage.h"

#include <QString>
#include <QStringList>
#include <optional>

class Dialogs;
class clsCdlg;

// What opening one package file did.
struct OpenOutcome {
    bool cancelled = false; // the user chose no file
    bool read = false;      // the file was read as a package
    bool typeFound = false; // a catalogue type matched the package's name
    int typeIndex = -1;     // entry of the type list equal to CurrentSkin.Key, or -1
};

// The wizard without its windows: the package opened, the type list and the
// type chosen, the reviewed names with the copy they are restored from, and
// the .int text. frmWizard shows this state and passes on the user's actions;
// varnwick-cli takes each package through the same calls. A plain object: a
// view reads the state again after each call.
class WizardSession {
public:
    // `programDir` holds SkinFormats.ini and unreal.flt.
    explicit WizardSession(QString programDir) : programDir_(std::move(programDir)) {}

    // The type list read afresh from the catalogue, its first entry selected;
    // empty, with nothing selected, when the catalogue is incomplete.
    void loadTypes();

    // Reads the package at `path`, filters and sorts its names, guesses its
    // type and selects the type list's entry for it. A file that cannot be
    // read as a package changes nothing and reports read = false.
    OpenOutcome openFile(const QString& path);

    // Step one's browse button: the type list afresh, a package asked for in
    // `texturesDir` and opened. The user is told which names were left out,
    // and when its type is unknown or it is no package; a file that is no package leaves the
    // package and the type chosen before as they were.
    OpenOutcome open(Dialogs& dialogs, clsCdlg& cdlg, const QString& texturesDir);

    // The type list's keys, its selected entry (-1: none) and the rules in use.
    const QStringList& typeKeys() const { return typeKeys_; }
    int typeIndex() const { return typeIndex_; }
    const SkinFormat& skin() const { return catalogue_.CurrentSkin; }

    // Selects entry `index` of the type list: its rules apply, while the key
    // found for the package stays. An index outside the list changes nothing.
    void selectType(int index);

    // Step two's opening choice: the entry of the type found for the package,
    // else the first.
    void selectGuessedType();

    // The package opened last: its path (empty before any) and its names as
    // read and as found (filtered and sorted).
    const PackageSession& package() const { return package_; }
    // The found names of that package that can never be .int lines, with
    // why; they are left out of the found names, and so of the text.
    const QList<LeftOutName>& leftOut() const { return leftOut_; }

    // Step four: the found names under review, in order.
    void beginReview();
    const QStringList& reviewed() const { return reviewed_; }
    // Takes entry `row` off the reviewed list; false when there is none.
    bool remove(int row);
    // Every found name back, as at beginReview(), with any added back.
    void restore();

    // The opened package's objects, when they could be read (a package whose
    // names can be read may still have damaged object tables), and what they
    // say about the names.
    const std::optional<UnrealPackage>& objects() const { return objects_; }
    const TextureCensus& census() const { return census_; }
    // The same objects as the skin check looks them up; null when unread.
    const std::shared_ptr<const PackageContents>& contents() const { return contents_; }
    // Takes every entry the package says is no texture off the reviewed
    // list; returns how many.
    qsizetype removeNonTextures();
    // Textures of the package the filter list left out of the found names,
    // from beginReview() until they are added back.
    const QStringList& droppedTextures() const { return droppedTextures_; }
    // Puts them into the reviewed list and its backup, each in its sorted place.
    void addBackDropped();

    // Step five: makes the .int text of the reviewed names, keeps it as the
    // text to save and returns it (just "[public]" for an empty list; empty
    // when the names follow no rule set).
    const QString& intText();
    const QString& text() const { return text_; }
    // The user's edits of the text.
    void setText(const QString& text) { text_ = text; }

    // Step five's "Save File": proposes the folder the game reads .int files
    // from (GameIntFolder) and the package's short name with ".int", asks before replacing a
    // non-empty file, writes the text as Windows-1252 atomically and congratulates the user. A
    // failed write is reported and leaves any old file as it was.
    bool save(Dialogs& dialogs, clsCdlg& cdlg, const QString& UTDir) const;

private:
    void readObjects(const QString& path);

    QString programDir_;
    CatalogueState catalogue_;
    QStringList typeKeys_;
    int typeIndex_ = -1;
    PackageSession package_;
    QList<LeftOutName> leftOut_;
    std::optional<UnrealPackage> objects_;
    TextureCensus census_;
    std::shared_ptr<const PackageContents> contents_;
    QStringList droppedTextures_;
    QStringList reviewed_;
    QStringList backup_;
    QString text_;
};
