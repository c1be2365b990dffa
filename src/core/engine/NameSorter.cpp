#include "engine/NameSorter.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

void SortArray(QStringList& list) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(list.begin(), list.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}
