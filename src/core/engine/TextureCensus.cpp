#include "engine/TextureCensus.h"

#include "engine/NameSorter.h"

#include <QSet>
#include <algorithm>

namespace {

QString Key(const QString& name) {
    return name.toLower();
}

QString ImportKind(const PackageImport& i) {
    if (i.className == QLatin1String("Package"))
        return QStringLiteral("the package %1, which this package refers to").arg(i.name);
    return QStringLiteral("the %1 %2 of another package, which this package uses")
        .arg(i.className.toLower(), i.name);
}

// The face a texture base<digit><face> shows; empty for body parts, team
// colours and other textures.
QString FaceOf(const QString& texture, const QString& base) {
    const bool face = texture.size() > 5 && texture.startsWith(base, Qt::CaseInsensitive) &&
                      texture.at(4).isDigit() &&
                      !texture.mid(5).startsWith(QLatin1String("T_"), Qt::CaseInsensitive);
    return face ? texture.mid(5) : QString();
}

} // namespace

TextureCensus::TextureCensus(const UnrealPackage& package) : known_(true) {
    const QList<PackageExport>& exports = package.exports();
    for (int i = 0; i < exports.size(); ++i) {
        if (!package.isTexture(i))
            continue;
        if (!textureExports_.contains(Key(exports[i].name)))
            textureExports_.insert(Key(exports[i].name), {i, exports[i].name});
        textures_.append(exports[i].name);
    }
    for (const PackageExport& e : exports)
        if (!textureExports_.contains(Key(e.name)) && !others_.contains(Key(e.name)))
            others_.insert(Key(e.name), ObjectKind(e));
    for (const PackageImport& i : package.imports())
        if (!textureExports_.contains(Key(i.name)) && !others_.contains(Key(i.name)))
            others_.insert(Key(i.name), ImportKind(i));
}

QString ObjectKind(const PackageExport& e) {
    if (e.className == QLatin1String("Engine.Palette"))
        return QStringLiteral("a palette (Engine.Palette)");
    if (e.className == QLatin1String("Core.Package"))
        return QStringLiteral("a group of the package (Core.Package)");
    return QStringLiteral("an object of class %1").arg(e.className);
}

bool TextureCensus::isTexture(const QString& name) const {
    return !known_ || textureExports_.contains(Key(name));
}

int TextureCensus::textureExport(const QString& name) const {
    return textureExports_.value(Key(name)).exportIndex;
}

QString TextureCensus::spelling(const QString& name) const {
    const auto found = textureExports_.constFind(Key(name));
    return found == textureExports_.cend() ? name : found->spelling;
}

QString TextureCensus::whatItIs(const QString& name) const {
    if (isTexture(name))
        return {};
    return others_.value(Key(name), QStringLiteral("a name in the package's tables (a property, "
                                                   "class or package name), no object of it"));
}

QStringList TextureCensus::leftOut(const QStringList& found) const {
    QSet<QString> present;
    for (const QString& name : found)
        present.insert(Key(name));
    QStringList missing;
    for (auto it = textureExports_.cbegin(); it != textureExports_.cend(); ++it)
        if (!present.contains(it.key()))
            missing.append(it.key());
    SortArray(missing);
    return missing;
}

QString NotATexture(const TextureCensus& census, const QString& name) {
    const QString what = census.whatItIs(name);
    return what.isEmpty() ? QString()
                          : QStringLiteral("Not a texture in this package: %1").arg(what);
}

QString LeftOutNote(const QStringList& leftOut, qsizetype namesShown) {
    const qsizetype shown = namesShown < 0 ? leftOut.size() : std::min(namesShown, leftOut.size());
    QString names = leftOut.first(shown).join(QStringLiteral(", "));
    if (shown < leftOut.size())
        names += QStringLiteral(" and %1 more").arg(leftOut.size() - shown);
    return QStringLiteral("%1 %2 left out by the filter list: %3")
        .arg(leftOut.size())
        .arg(leftOut.size() == 1 ? QStringLiteral("texture was") : QStringLiteral("textures were"))
        .arg(names);
}

QStringList TexturesOnly(const QStringList& names, const TextureCensus& census) {
    QStringList kept;
    for (const QString& name : names)
        if (census.isTexture(name))
            kept.append(name);
    return kept;
}

QStringList MergedSorted(const QStringList& list, const QStringList& added) {
    QStringList merged = list + added;
    SortArray(merged);
    return merged;
}

namespace {

// The texture base<suffix> as the package spells it.
QString Piece(const TextureCensus& census, const QString& base, const QString& suffix) {
    return census.spelling(base + suffix);
}

SkinSetRow BodyRow(const TextureCensus& census, const QString& base) {
    SkinSetRow body{QStringLiteral("Body"), {}};
    for (int part = 1; part <= 4; ++part)
        body.pieces.append(Piece(census, base, QString::number(part)));
    return body;
}

// One row per body part that has at least one team colour texture.
QList<SkinSetRow> TeamRows(const TextureCensus& census, const QString& base) {
    QList<SkinSetRow> rows;
    for (int part = 1; part <= 4; ++part) {
        SkinSetRow team{QStringLiteral("Team %1").arg(part), {}};
        bool any = false;
        for (int colour = 0; colour <= 3; ++colour) {
            const QString suffix = QStringLiteral("%1T_%2").arg(part).arg(colour);
            team.pieces.append(Piece(census, base, suffix));
            any = any || census.isTexture(base + suffix);
        }
        if (any)
            rows.append(team);
    }
    return rows;
}

// One row per face, in the order the package first names it, its portrait
// last.
QList<SkinSetRow> FaceRows(const TextureCensus& census, const QString& base) {
    QStringList faces;
    QHash<QString, QStringList> faceSlots; // lower-cased face -> its textures but the portrait
    for (const QString& texture : census.textureNames()) {
        const QString face = FaceOf(texture, base);
        if (face.isEmpty())
            continue;
        if (!faceSlots.contains(Key(face)))
            faces.append(face);
        QStringList& pieces = faceSlots[Key(face)];
        if (texture.at(4) != QLatin1Char('5'))
            pieces.append(texture);
    }
    QList<SkinSetRow> rows;
    for (const QString& face : faces)
        rows.append({QStringLiteral("Face %1").arg(face),
                     faceSlots.value(Key(face)) << Piece(census, base, QLatin1Char('5') + face)});
    return rows;
}

} // namespace

QList<SkinSetRow> SkinSetOf(const QString& name, const TextureCensus& census) {
    // A skin's textures carry a part or face digit after the base.
    const bool skinName =
        name.size() > 4 && name.at(4) >= QLatin1Char('1') && name.at(4) <= QLatin1Char('5');
    if (!census.known() || !census.isTexture(name) || !skinName)
        return {};
    const QString base = census.spelling(name).left(4);
    return QList<SkinSetRow>{BodyRow(census, base)} + TeamRows(census, base) +
           FaceRows(census, base);
}
