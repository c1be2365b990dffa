#include "check/SkinMenu.h"

#include <algorithm>

namespace {

// The menu sorts by description in capitals, comparing character codes.
template <typename Item> void SortAsMenu(QList<Item>& items) {
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.description.toUpper() < b.description.toUpper();
    });
}

QList<MenuSkin> PlainSkins(const QList<IntEntry>& entries, const ModelSlots& model) {
    QList<MenuSkin> skins;
    for (const IntEntry& entry : entries) {
        const QString item = ItemOf(entry.object);
        // Team textures are left out; the comparison is exact, as the game's.
        if (!MenuConsiders(entry, model) || item.startsWith(QLatin1String("T_")))
            continue;
        const QString shown = entry.description.isEmpty() ? item : entry.description;
        skins.append({entry.object, shown, entry.object, entry.line, {}});
    }
    return skins;
}

MenuFace FaceOf(const IntEntry& entry, const QString& skinBase, const ModelSlots& model) {
    const QString item = ItemOf(entry.object);
    const QString name = item.mid(5);
    // The face texture and portrait come from the face entry's package, named
    // after the skin's four characters.
    const QString faceBase = PathOf(entry.object) + ItemOf(skinBase);
    MenuFace face{name, entry.description, entry.object, entry.line, {}, {}, std::nullopt};
    if (model.Portrait.isEmpty()) {
        face.texture = faceBase + QString::number(model.Face) + name;
        face.portrait = faceBase + QLatin1Char('5') + name;
    } else {
        face.portrait = skinBase + QLatin1Char('5') + model.Portrait;
    }
    return face;
}

} // namespace

bool MenuConsiders(const IntEntry& entry, const ModelSlots& model) {
    return entry.isTexture() && entry.object.startsWith(model.Mesh, Qt::CaseInsensitive);
}

QString BodyPart(const QString& skinBase, int digit) {
    return skinBase + QString::number(digit);
}

QList<MenuSkin> ListSkinMenu(const QList<IntEntry>& entries, const ModelSlots& model) {
    if (!model.Faces) {
        QList<MenuSkin> skins = PlainSkins(entries, model);
        SortAsMenu(skins);
        return skins;
    }
    QList<MenuSkin> skins;
    for (const IntEntry& entry : entries) {
        const QString item = ItemOf(entry.object);
        if (MenuConsiders(entry, model) && !entry.description.isEmpty() && item.size() <= 5)
            skins.append({PathOf(entry.object) + item.left(4),
                          entry.description,
                          entry.object,
                          entry.line,
                          {}});
    }
    for (MenuSkin& skin : skins) {
        const QString base = ItemOf(skin.base);
        for (const IntEntry& entry : entries) {
            const QString item = ItemOf(entry.object);
            // The menu matches a face to a skin by their first four characters,
            // exactly (case counts), whatever package the face is in.
            if (MenuConsiders(entry, model) && !entry.description.isEmpty() && item.size() > 5 &&
                item.left(4) == base)
                skin.faces.append(FaceOf(entry, skin.base, model));
        }
        SortAsMenu(skin.faces);
    }
    SortAsMenu(skins);
    return skins;
}
