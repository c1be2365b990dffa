#pragma once

#include "catalogue/SkinCatalogue.h"
#include "engine/PackageRecord.h"

#include <QString>
#include <QStringList>

// Decides from all found names whether the UT or the U rules apply.
void FindGameType(PackageRecord& PackageItems);

// The .int text for `items` (the reviewed names, in order); empty when no
// rule set applies.
QString WriteScript(const QStringList& items, PackageRecord& PackageItems,
                    const SkinFormat& CurrentSkin);

// The text step five shows for the review list: WriteScript of the list, or
// just the "[public]" header line when the list is empty.
QString BuildINTText(const QStringList& list, PackageRecord& PackageItems,
                     const SkinFormat& CurrentSkin);
