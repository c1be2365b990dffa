#include "engine/PackageOpener.h"

#include "engine/FilterList.h"
#include "engine/NameSorter.h"
#include "engine/PackageReader.h"

OpenOutcome OpenPackageFile(const QString& path, const QString& programDir, PackageSession& session,
                            CatalogueState& catalogue, const QStringList& typeList) {
    OpenOutcome outcome;
    // A file that is no package leaves the package opened before in place.
    if (!ReadUTXFile(path, session.PackageRead))
        return outcome;
    outcome.read = true;
    session.UTXPath = path;
    filteritems(path, programDir, session.FilterList, session.PackageRead, session.PackageItems);
    SortArray(session.PackageItems.Names);

    outcome.typeFound = MatchSkinFormat(ShortUTXName(path, true, true), programDir, catalogue);
    if (outcome.typeFound)
        outcome.typeIndex = TypeListIndex(typeList, catalogue.CurrentSkin.Key);
    return outcome;
}
