#pragma once

#include <QString>
#include <QStringList>

class QListWidget;

// Step four's review of the found names: lstItems holds the names under
// review, the hidden lstBackup the copy they are restored from.

// Clears `list` and appends every found name, in order.
void FillItemList(QListWidget* list, const QStringList& names);

// Removes the selected entry of `list`; true when entries remain afterwards,
// false when the list is empty or nothing was selected.
bool RemoveListItem(QListWidget* list);

// Replaces the entries of `list` by those of `backup`, in order.
void RestoreItemList(QListWidget* list, const QListWidget* backup);

// The entries of `list`, in list order.
QStringList ListEntries(const QListWidget* list);

// "N Items found." for a list of `count` entries; there is no singular form.
QString CountCaption(int count);
