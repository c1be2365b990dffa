#include "check/SkinCheck.h"

#include "engine/TextureCensus.h"

#include <QMap>

#include <algorithm>

namespace {

// Everything the check looks at; only the text is required.
struct CheckInput {
    QString text;
    QString packageName;                      // the package the text is for; empty: unknown
    const PackageContents* package = nullptr; // its contents, when read
    const ModelSlots* model = nullptr;        // the chosen skin type's model
    const GameFiles* game = nullptr;          // the game's folder, when known
};

// The longest name the game gives an object.
constexpr qsizetype MaxNameLength = 63;

// Texture and the engine's own kinds of texture, which a model wears alike.
bool IsTextureClass(const QString& className) {
    return className == QLatin1String("Engine.Texture") ||
           className == QLatin1String("Engine.ScriptedTexture") ||
           (className.startsWith(QLatin1String("Fire.")) &&
            className.endsWith(QLatin1String("Texture")));
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

class Checker {
public:
    Checker(const CheckInput& input, QList<Finding>& findings) : in_(input), findings_(findings) {}

    void entries(const QList<IntEntry>& entries) {
        QHash<QString, int> seen; // lower-case name -> first line
        OtherPackages otherPackages;
        QSet<QString> unlisted; // lower-case packages already told of their mesh name
        for (const IntEntry& entry : entries) {
            if (!entry.isTexture())
                continue;
            nameLength(entry);
            const QString package = PackageOf(entry.object);
            if (!in_.packageName.isEmpty() &&
                package.compare(in_.packageName, Qt::CaseInsensitive) != 0) {
                auto& other = otherPackages[package.toLower()];
                other.first = package;
                other.second.append(entry.line);
            } else
                lookUp(entry);
            meshPrefix(entry, package, unlisted);
            namedAgain(entry, seen);
            elsewhere(entry);
        }
        for (const auto& [name, lines] : otherPackages)
            add(Severity::Error, CheckRule::OtherPackage, lines.first(),
                QStringLiteral("%1 of this text's entries name the package %2, but the text is for "
                               "%3 (copied from another skin?): the game looks for those "
                               "textures in %2.")
                    .arg(lines.size())
                    .arg(name, in_.packageName));
    }

    void menuEntries(const QList<IntEntry>& entries) {
        const ModelSlots& model = *in_.model;
        QHash<QString, int> skinLines; // skin base -> first line
        for (const IntEntry& entry : entries) {
            const QString item = ItemOf(entry.object);
            if (!MenuConsiders(entry, model) || entry.description.isEmpty() || item.size() > 5)
                continue;
            skinName(entry, item);
            const QString base = PathOf(entry.object).toLower() + item.left(4);
            if (const auto first = skinLines.constFind(base); first != skinLines.cend())
                add(Severity::Warning, CheckRule::Duplicate, entry.line,
                    QStringLiteral("The skin %1 is described again here (first on line %2): the "
                                   "menu lists it twice.")
                        .arg(item.left(4))
                        .arg(*first));
            else
                skinLines.insert(base, entry.line);
            sharedBase(entry);
        }
        for (const IntEntry& entry : entries) {
            const QString item = ItemOf(entry.object);
            if (MenuConsiders(entry, model) && !entry.description.isEmpty() && item.size() > 5)
                face(entry, item, entries);
        }
    }

    void bodyParts(const MenuSkin& skin) {
        const ModelSlots& model = *in_.model;
        if (!ownedHere(skin.object))
            return;
        if (!has(BodyPart(skin.base, model.Fixed)))
            add(Severity::Error, CheckRule::MissingBodyPart, skin.line,
                QStringLiteral("The skin has no body part %1: the game shows the model's default "
                               "skin, without a face, instead.")
                    .arg(BodyPart(skin.base, model.Fixed)));
        QList<int> plain = model.Team;
        if (model.Portrait.isEmpty())
            plain.prepend(model.Face);
        for (int digit : plain) {
            if (digit != model.Fixed && !has(BodyPart(skin.base, digit)))
                add(Severity::Warning, CheckRule::MissingBodyPart, skin.line,
                    QStringLiteral("The skin has no body part %1: where the game cannot use a "
                                   "face or team colour there, the model keeps its default "
                                   "texture.")
                        .arg(BodyPart(skin.base, digit)));
        }
        for (int digit : model.Team)
            teamColours(skin, digit);
        if (!model.Portrait.isEmpty())
            portrait(skin.line, skin.base + QLatin1Char('5') + model.Portrait);
        for (const MenuFace& face : skin.faces) {
            if (!ownedHere(face.object))
                continue;
            if (!face.texture.isEmpty() && !has(face.texture))
                add(Severity::Error, CheckRule::MissingFace, face.line,
                    QStringLiteral("The face texture %1 is missing: the game shows %2 there "
                                   "instead.")
                        .arg(face.texture, BodyPart(skin.base, model.Face)));
            if (model.Portrait.isEmpty())
                portrait(face.line, face.portrait);
        }
    }

    void searchPath() {
        if (in_.game && !in_.packageName.isEmpty() &&
            !in_.game->packagesOnPath.contains(in_.packageName.toLower()))
            add(Severity::Error, CheckRule::NotOnSearchPath, 0,
                QStringLiteral("The game finds no package %1 in its Textures folder or the other "
                               "folders it searches (Paths= in its ini): copy %1.utx there.")
                    .arg(in_.packageName));
    }

    void add(Severity severity, CheckRule rule, int line, const QString& text) {
        findings_.append({severity, rule, line, text});
    }

private:
    using OtherPackages =
        QMap<QString, std::pair<QString, QList<int>>>; // lower-case -> name, lines

    void nameLength(const IntEntry& entry) {
        if (ItemOf(entry.object).size() > MaxNameLength)
            add(Severity::Error, CheckRule::NameTooLong, entry.line,
                QStringLiteral("The name %1 is longer than the %2 characters the game allows.")
                    .arg(ItemOf(entry.object))
                    .arg(MaxNameLength));
    }

    // Told once a package: the menu lists only names that begin with the mesh.
    void meshPrefix(const IntEntry& entry, const QString& package, QSet<QString>& unlisted) {
        if (!in_.model || entry.object.startsWith(in_.model->Mesh, Qt::CaseInsensitive) ||
            unlisted.contains(package.toLower()))
            return;
        unlisted.insert(package.toLower());
        add(Severity::Error, CheckRule::MeshPrefix, entry.line,
            QStringLiteral("%1 does not begin with %2, the mesh name of the %3 type, so the "
                           "player setup menu will not list these skins.")
                .arg(package, in_.model->Mesh, in_.model->Key));
    }

    void namedAgain(const IntEntry& entry, QHash<QString, int>& seen) {
        const QString lower = entry.object.toLower();
        if (const auto first = seen.constFind(lower); first != seen.cend())
            add(Severity::Warning, CheckRule::Duplicate, entry.line,
                QStringLiteral("%1 is named again here (first on line %2): the game keeps "
                               "both entries, and the menu can list it twice.")
                    .arg(entry.object)
                    .arg(*first));
        else
            seen.insert(lower, entry.line);
    }

    const CheckInput& in_;
    QList<Finding>& findings_;

    bool ownedHere(const QString& object) const {
        return in_.package &&
               PackageOf(object).compare(in_.package->name(), Qt::CaseInsensitive) == 0;
    }

    bool has(const QString& object) const { return in_.package->isTexture(object); }

    void lookUp(const IntEntry& entry) {
        if (!ownedHere(entry.object))
            return;
        const int found = in_.package->find(entry.object);
        if (found < 0)
            add(Severity::Error, CheckRule::MissingObject, entry.line,
                QStringLiteral("The package has no texture %1: the game cannot load it.")
                    .arg(ItemOf(entry.object)));
        else if (!in_.package->isTexture(entry.object))
            add(Severity::Error, CheckRule::WrongClass, entry.line,
                QStringLiteral("%1 is %2 in the package, not a texture: the game cannot use it "
                               "as a skin.")
                    .arg(ItemOf(entry.object),
                         ObjectKind(in_.package->package().exports()[found])));
    }

    void elsewhere(const IntEntry& entry) {
        if (!in_.game)
            return;
        const QString ownFile = in_.packageName + QLatin1String(".int");
        for (const QString& file : in_.game->namedIn.values(entry.object.toLower())) {
            if (in_.packageName.isEmpty() || file.compare(ownFile, Qt::CaseInsensitive) != 0) {
                add(Severity::Warning, CheckRule::DuplicateElsewhere, entry.line,
                    QStringLiteral("%1 is also named in %2 in the game's System folder: the "
                                   "menu will list it twice.")
                        .arg(entry.object, file));
                return;
            }
        }
    }

    void skinName(const IntEntry& entry, const QString& item) {
        if (item.size() == 5 && item[4].isDigit())
            return;
        const bool tooShort = item.size() < 5;
        add(tooShort ? Severity::Error : Severity::Warning, CheckRule::SkinName, entry.line,
            QStringLiteral("Skin names are four characters and a digit (like blkt1)%1: the game "
                           "looks for this skin's body parts as %2.")
                .arg(tooShort ? QStringLiteral(", and no face can match a shorter one") : QString(),
                     BodyPart(PathOf(entry.object) + item.left(4), in_.model->Fixed)));
    }

    // The described skins of the game's other .int files that this model's
    // menu lists under `base`; the package's own .int does not count, as
    // saving replaces it.
    QList<IntEntry> otherSkins(const QString& base) const {
        QList<IntEntry> found;
        if (!in_.game)
            return found;
        const QString own = in_.packageName + QLatin1String(".int");
        for (auto it = in_.game->skinsByBase.constFind(base);
             it != in_.game->skinsByBase.cend() && it.key() == base; ++it) {
            const bool ownFile =
                !in_.packageName.isEmpty() && it->first.compare(own, Qt::CaseInsensitive) == 0;
            if (!ownFile && MenuConsiders(it->second, *in_.model))
                found.append(it->second);
        }
        return found;
    }

    void sharedBase(const IntEntry& entry) {
        const QString base = ItemOf(entry.object).left(4);
        for (const IntEntry& other : otherSkins(base)) {
            if (other.object.compare(entry.object, Qt::CaseInsensitive) != 0) {
                add(Severity::Warning, CheckRule::SharedBase, entry.line,
                    QStringLiteral("The skin %1 in another .int file of the game also begins with "
                                   "%2: the menu shows the faces of both skins under each.")
                        .arg(other.object, base));
                return;
            }
        }
    }

    static bool HasSkin(const QList<IntEntry>& entries, const ModelSlots& model,
                        const QString& base, Qt::CaseSensitivity cs) {
        return std::any_of(entries.cbegin(), entries.cend(), [&](const IntEntry& e) {
            const QString item = ItemOf(e.object);
            return MenuConsiders(e, model) && !e.description.isEmpty() && item.size() <= 5 &&
                   item.left(4).compare(base, cs) == 0;
        });
    }

    void face(const IntEntry& entry, const QString& item, const QList<IntEntry>& entries) {
        const ModelSlots& model = *in_.model;
        const QString base = item.left(4);
        if (!HasSkin(entries, model, base, Qt::CaseSensitive) && otherSkins(base).isEmpty()) {
            QString hint;
            if (HasSkin(entries, model, base, Qt::CaseInsensitive))
                hint = QStringLiteral(" (a skin differs only in capitals, and case counts here)");
            else if (item.back().isDigit())
                hint = QStringLiteral(" (if this is meant as a skin, its name must be four "
                                      "characters and a digit)");
            add(Severity::Error, CheckRule::FaceWithoutSkin, entry.line,
                QStringLiteral("The menu lists the face %1 under a skin whose name begins with %2, "
                               "and there is none%3.")
                    .arg(Quoted(entry.description), base, hint));
            return;
        }
        if (!model.Portrait.isEmpty()) {
            add(Severity::Note, CheckRule::BossFace, entry.line,
                QStringLiteral("The %1 model wears no face texture; its chat portrait is always "
                               "xxxx5%2.")
                    .arg(model.Mesh, model.Portrait));
            return;
        }
        if (item[4] != QChar(u'0' + model.Face))
            add(Severity::Warning, CheckRule::FaceSlot, entry.line,
                QStringLiteral("The %1 model wears faces on body part %2, so for this face the "
                               "game loads %3, not %4.")
                    .arg(model.Mesh)
                    .arg(model.Face)
                    .arg(PathOf(entry.object) + base + QString::number(model.Face) + item.mid(5),
                         entry.object));
    }

    void teamColours(const MenuSkin& skin, int digit) {
        QStringList missing;
        for (int team = 0; team < 4; ++team) {
            const QString name =
                BodyPart(skin.base, digit) + QStringLiteral("T_") + QString::number(team);
            if (!has(name))
                missing.append(ItemOf(name));
        }
        if (!missing.isEmpty())
            add(Severity::Warning, CheckRule::MissingTeamColours, skin.line,
                QStringLiteral("The skin has no team colour textures %1: in team games the game "
                               "shows %2 there instead.")
                    .arg(missing.join(QStringLiteral(", ")), ItemOf(BodyPart(skin.base, digit))));
    }

    void portrait(int line, const QString& name) {
        if (!has(name))
            add(Severity::Error, CheckRule::MissingPortrait, line,
                QStringLiteral("The chat portrait %1 is missing: no portrait shows when this "
                               "player talks.")
                    .arg(ItemOf(name)));
    }
};

void MarkPortraits(QList<MenuSkin>& menu, const PackageContents& package) {
    for (MenuSkin& skin : menu) {
        for (MenuFace& face : skin.faces) {
            if (PackageOf(face.portrait).compare(package.name(), Qt::CaseInsensitive) != 0)
                continue;
            face.portraitFound = package.isTexture(face.portrait);
        }
    }
}

} // namespace

void GameFiles::add(const IntFile& file) {
    for (const IntEntry& entry : file.entries) {
        if (!entry.isTexture())
            continue;
        namedIn.insert(entry.object.toLower(), file.fileName);
        const QString item = ItemOf(entry.object);
        if (!entry.description.isEmpty() && item.size() <= 5)
            skinsByBase.insert(item.left(4), {file.fileName, entry});
    }
}

PackageContents::PackageContents(UnrealPackage package) : package_(std::move(package)) {
    // The first of equal paths wins, as the engine finds it first.
    const QList<PackageExport>& exports = package_.exports();
    for (int i = int(exports.size()) - 1; i >= 0; --i)
        index_.insert(exports[i].path.toLower(), i);
}

int PackageContents::find(const QString& object) const {
    // "Package.Group.Object" -> "group.object"
    return index_.value(object.mid(PackageOf(object).size() + 1).toLower(), -1);
}

bool PackageContents::isTexture(const QString& object) const {
    const int found = find(object);
    return found >= 0 && IsTextureClass(package_.exports()[found].className);
}

namespace {

// Why the menu shows what it does: nothing at all, or skins other players
// need the package for.
void NoteMenu(Checker& checker, const CheckInput& input, const ModelSlots& model,
              const QList<MenuSkin>& menu) {
    if (menu.isEmpty())
        checker.add(Severity::Note, CheckRule::NothingListed, 0,
                    QStringLiteral("The player setup menu lists nothing from this text for the "
                                   "%1 model%2.")
                        .arg(model.Mesh, model.Faces
                                             ? QStringLiteral(": no short name has a description")
                                             : QStringLiteral(": names beginning with T_ "
                                                              "are team textures")));
    else if (!input.packageName.isEmpty())
        checker.add(Severity::Note, CheckRule::ServerPackages, menu.first().line,
                    QStringLiteral("Online, other players see these skins only if the server "
                                   "lists %1 in its ServerPackages.")
                        .arg(input.packageName));
}

// The menu the model's entries make, checked against the package when there
// is one.
QList<MenuSkin> CheckMenu(Checker& checker, const CheckInput& input, const ModelSlots& model,
                          const QList<IntEntry>& entries) {
    if (model.Faces)
        checker.menuEntries(entries);
    QList<MenuSkin> menu = ListSkinMenu(entries, model);
    if (input.package) {
        MarkPortraits(menu, *input.package);
        if (model.Faces) {
            for (const MenuSkin& skin : menu)
                checker.bodyParts(skin);
        }
    }
    NoteMenu(checker, input, model, menu);
    return menu;
}

void SortByLine(QList<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.line != b.line ? a.line < b.line : a.severity < b.severity;
    });
}

CheckResult Check(const CheckInput& input) {
    IntReading reading = ReadIntText(input.text);
    CheckResult result;
    result.findings = reading.findings;
    Checker checker(input, result.findings);
    checker.entries(reading.entries);
    if (input.model)
        result.menu = CheckMenu(checker, input, *input.model, reading.entries);
    else
        checker.add(Severity::Note, CheckRule::MeshPrefix, 0,
                    QStringLiteral("No model is known for this skin type, so the menu listing and "
                                   "the body part checks are left out."));
    checker.searchPath();
    SortByLine(result.findings);
    return result;
}

} // namespace

CheckResult CheckSkin(const QString& text, const CheckSubject& subject, const GameFiles* game) {
    return Check({text, subject.packageName, subject.package.get(),
                  subject.model ? &*subject.model : nullptr, game});
}
