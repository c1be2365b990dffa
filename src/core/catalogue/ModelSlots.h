#pragma once

#include "services/DataFiles.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Where one player model wears a skin's textures, and how the player setup
// menu lists the skins of its mesh. Slots are the body part digits in texture
// names ("blkt1" .. "blkt4"); 0 means none.
struct ModelSlots {
    QString Key;        // the catalogue key (SkinFormats.ini section)
    QString Mesh;       // the menu lists .int entries whose name begins with this
    bool Faces = false; // described short names are skins and longer ones faces;
                        // otherwise every entry but team textures is a skin
    int Fixed = 0;      // the body part that decides the skin
    int Face = 0;       // the body part that shows the face
    QList<int> Team;    // the body parts that take team colours
    QString Portrait;   // empty: xxxx5<face>; else the one face name always used

    friend bool operator==(const ModelSlots&, const ModelSlots&) = default;
};

// Parses the slot table's text; `problems` (when given) receives one line per
// section or value that could not be read, which is then left out.
QList<ModelSlots> ParseModelSlots(QByteArrayView bytes, QStringList* problems = nullptr);

// Reads programDir/ModelSlots.ini; empty (with `error` set) when unreadable.
QList<ModelSlots> ReadModelSlots(const QString& programDir, QString* error = nullptr);

// The row for catalogue key `key` (ignoring case), as a copy: a row that
// pointed into the table would not outlive a table read for the look-up.
std::optional<ModelSlots> FindModelSlots(const QList<ModelSlots>& table, const QString& key);
