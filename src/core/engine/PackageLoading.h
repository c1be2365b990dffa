#pragma once

#include "catalogue/SkinCatalogue.h"
#include "engine/PackageOpener.h"
#include "engine/PackageRecord.h"

#include <QString>
#include <QStringList>

class Dialogs;
class clsCdlg;

// Step one's "browse" button: asks for a package in TexturesDir, opens it
// (OpenPackageFile) and tells the user when its type is unknown or the file
// cannot be read as a package. A cancelled dialog changes nothing. The
// outcome says which type list entry to select (typeIndex, or -1).
OpenOutcome LoadUTXfile(Dialogs& dialogs, clsCdlg& cdlg, const QString& TexturesDir,
                        const QString& programDir, PackageSession& session,
                        CatalogueState& catalogue, const QStringList& typeList);

// Step five's "Save File": proposes UTDir's System folder and the package's
// short name with ".int", asks before replacing a non-empty file, writes
// `text` as Windows-1252 atomically and congratulates the user. A failed
// write is reported and leaves any old file as it was. True when saved.
bool SaveINTfile(Dialogs& dialogs, clsCdlg& cdlg, const QString& UTDir, const QString& UTXPath,
                 const QString& text);
