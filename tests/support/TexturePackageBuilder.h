#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Synthetic whole packages (version 69): a name table, the imports of
// Engine.Texture and Engine.Palette, one palette and the textures asked for,
// each with one mip of patterned pixels. `extraNames` are put in the name
// table only, like the property and class names of a real package.
struct SyntheticTexture {
    QString name;
    int format = 0; // P8 = 0, RGBA7 = 1, DXT1 = 3, RGBA8 = 5
    int width = 8, height = 8;
};
QByteArray BuildTexturePackage(const QList<SyntheticTexture>& textures,
                               const QStringList& extraNames = {});
