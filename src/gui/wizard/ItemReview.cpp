#include "wizard/ItemReview.h"

#include <QListWidget>

void FillItemList(QListWidget* list, const QStringList& names) {
    list->clear();
    list->addItems(names);
}

bool RemoveListItem(QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return false;
    delete list->takeItem(list->row(selected.first()));
    return list->count() > 0;
}

void RestoreItemList(QListWidget* list, const QListWidget* backup) {
    FillItemList(list, ListEntries(backup));
}

QStringList ListEntries(const QListWidget* list) {
    QStringList entries;
    entries.reserve(list->count());
    for (int row = 0; row < list->count(); ++row)
        entries.append(list->item(row)->text());
    return entries;
}

QString CountCaption(int count) {
    return QString::number(count) + QStringLiteral(" Items found.");
}
