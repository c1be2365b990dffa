#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class UnrealPackage;

// The largest thumbnail side accepted; file managers ask for 128 to 1024.
inline constexpr int MaxThumbnailSize = 4096;

// The package's textures in the order a thumbnail tries them: body textures
// (five-letter names ending in "1", the first body part of a skin) before the
// others, each group in the wizard's name order. Export indexes.
QList<int> ThumbnailCandidates(const UnrealPackage& package);

// The PNG picture of the first candidate texture of the package at `path`
// that decodes, scaled down (never up) to fit size × size with its
// proportions kept. Nothing, with `error` set, when the file is no readable
// package or has no texture that decodes.
std::optional<QByteArray> PackageThumbnail(const QString& path, int size, QString& error);
