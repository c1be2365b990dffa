#pragma once

#include <QStringList>

// Sorts names ascending, ignoring case, in the user's collation; names that
// compare equal are ordered by an exact comparison so the result is stable
// from run to run.
void SortArray(QStringList& list);
