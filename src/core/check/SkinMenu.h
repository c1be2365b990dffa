#pragma once

#include "catalogue/ModelSlots.h"
#include "check/IntEntries.h"

#include <QList>
#include <QString>
#include <optional>

// One face the player setup menu offers under a skin.
struct MenuFace {
    QString name;        // the face's name: the entry's name from its sixth character
    QString description; // what the menu shows
    QString object;      // the described entry
    int line = 0;
    QString texture;                   // the face texture the model wears; empty when it wears none
    QString portrait;                  // the chat portrait texture
    std::optional<bool> portraitFound; // known only when the package was looked at
};

// One skin the player setup menu offers for a model.
struct MenuSkin {
    QString base;        // the skin's name as the game passes it on: Package.xxxx
    QString description; // what the menu shows
    QString object;      // the described entry
    int line = 0;
    QList<MenuFace> faces;
};

// What the player setup menu lists for a model from these entries, in the
// menu's order (descriptions compared in capitals).
QList<MenuSkin> ListSkinMenu(const QList<IntEntry>& entries, const ModelSlots& model);

// Whether the menu of `model` considers `entry` at all: a texture entry whose
// name begins with the model's mesh name.
bool MenuConsiders(const IntEntry& entry, const ModelSlots& model);

// The texture names a skin of a face model is made of, for the slot `digit`.
QString BodyPart(const QString& skinBase, int digit);
