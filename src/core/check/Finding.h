#pragma once

#include <QList>
#include <QString>

// How much a finding matters to the skin maker.
enum class Severity {
    Error,   // the game will not show or not load this
    Warning, // probably unintended
    Note,    // worth knowing
};

// What a finding is about; tests and tools tell findings apart by it.
enum class CheckRule {
    Unreadable,         // a line the game's .int reader cannot take
    OutsidePublic,      // an entry the game never reads
    NoClass,            // an entry without Class=Texture
    Unencodable,        // a character the game's character set lacks
    DescriptionCut,     // a description the game reads shorter than written
    SectionTooLong,     // entries past what older game versions read
    NameTooLong,        // longer than the game allows a name
    OtherPackage,       // names another package (a copied .int)
    MeshPrefix,         // the menu of this model will not list it
    SkinName,           // a skin name that is not four characters and a digit
    FaceWithoutSkin,    // a face no listed skin shows
    FaceSlot,           // a face on a body part the model does not wear faces on
    BossFace,           // a face the model never wears
    MissingObject,      // not in the package
    WrongClass,         // in the package, but not a texture
    MissingBodyPart,    // a skin without one of its body parts
    MissingTeamColours, // a skin without its team colour textures
    MissingFace,        // a face without its face texture
    MissingPortrait,    // a face without its chat portrait
    Duplicate,          // named twice in this text
    DuplicateElsewhere, // also named by another .int file of the game
    SharedBase,         // another .int file uses the same skin base
    NotOnSearchPath,    // the game will not find the package
    ServerPackages,     // online play needs the package on the server
    NothingListed,      // the menu lists nothing from this text
};

// One thing the check found, on one line of the .int text (0: the whole text).
struct Finding {
    Severity severity = Severity::Note;
    CheckRule rule = CheckRule::Unreadable;
    int line = 0;
    QString text;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// "2 errors, 1 warning, 3 notes"; "No problems found" when the list is empty.
QString FindingsSummary(const QList<Finding>& findings);

// "error", "warning" or "note".
QString SeverityName(Severity severity);
