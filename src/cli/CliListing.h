#pragma once

#include "CliStatus.h"

#include <QString>
#include <QStringList>

// --list: one line per export of each package, in table order:
// Path, Class, and for textures the top mip's width, height and format,
// tab-separated; with several packages each block opens with "# <file name>".
CliStatus ListPackages(const QStringList& packages);

// --extract: every texture that can be decoded, as DIR/<package name>/<path>.png
// (RGBA). Textures that cannot be are named on standard error and skipped.
CliStatus ExtractPackages(const QString& dir, const QStringList& packages, bool force);
