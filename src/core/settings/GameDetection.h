#pragma once

#include <QString>
#include <QStringList>

// The folders where Linux installations of the game usually are, most likely
// first, for the user whose home folder is `home`: the community patch's
// installer, the old Linux ports and their per-user folders, the game in
// Steam's libraries (native or through Proton) and a Wine drive. Folders
// outside the home folder are taken below `root` ("" for the real one).
QStringList GameFolderCandidates(const QString& home, const QString& root = QString());

// Whether `folder` holds the game: a System folder with the game's ini or
// .int files and a Textures folder (either spelled in any case).
bool IsGameFolder(const QString& folder);

// The first of the candidates that holds the game; empty when none does.
QString FindGameFolder(const QString& home, const QString& root = QString());

// The folder the game reads .int files from: its System folder, unless only
// the 64-bit System64 folder holds .int files. Community patch 469 keeps its
// 64-bit programs and their ini in System64 and the .int files in System.
QString GameIntFolder(const QString& UTDir);

// The folders the game searches for packages with extension `extension`
// ("utx"): the Paths= entries of its ini ([Core.System]), relative to the
// ini's folder; the Textures folder when no ini names one.
QStringList GameSearchFolders(const QString& UTDir, const QString& extension);
