#pragma once

#include <QListWidget>

// The texts of a list's entries, top to bottom.
inline QStringList ListEntries(const QListWidget* list) {
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries.append(list->item(row)->text());
    return entries;
}
