#pragma once

#include "catalogue/SkinCatalogue.h"
#include "engine/PackageRecord.h"

#include <QString>
#include <QStringList>

// What opening one package file did.
struct OpenOutcome {
    bool read = false;      // the file was read as a package
    bool typeFound = false; // a catalogue type matched the package's name
    int typeIndex = -1;     // entry of the type list equal to CurrentSkin.Key, or -1
};

// Everything the wizard does after a package file was chosen: read it, filter
// it, sort the found names, guess its type and find the type list's entry for
// it. A file that cannot be read as a package changes nothing and reports
// read = false.
OpenOutcome OpenPackageFile(const QString& path, const QString& programDir, PackageSession& session,
                            CatalogueState& catalogue, const QStringList& typeList);
