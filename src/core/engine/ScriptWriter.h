#pragma once

#include "catalogue/SkinCatalogue.h"
#include "engine/PackageRecord.h"

#include <QString>
#include <QStringList>

// Which rule set all found names call for: "UT", "U", or empty for neither.
QString FindGameType(const QStringList& names);

// The .int text for `items` (the reviewed names, in order); the rule set
// follows all found names of `PackageItems`. Empty when no rule set applies.
QString WriteScript(const QStringList& items, const PackageRecord& PackageItems,
                    const SkinFormat& CurrentSkin);

// The text step five shows for the review list: WriteScript of the list, or
// just the "[public]" header line when the list is empty.
QString BuildINTText(const QStringList& list, const PackageRecord& PackageItems,
                     const SkinFormat& CurrentSkin);
