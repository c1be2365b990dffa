#pragma once

#include <QString>

// The game folder's subfolder `name` ("Textures", "System"): the existing
// entry whose name equals it ignoring case, else the canonical spelling.
// UTDir may end with a separator or not; the result has none at its end.
QString GameSubfolder(const QString& UTDir, const QString& name);

// The folder the open-package dialog starts in: UTDir's Textures folder,
// ending with "/".
QString TexturesDirFor(const QString& UTDir);
