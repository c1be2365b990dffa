#include "engine/NameSorter.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Each name's key is made once, so the sort compares prepared keys instead of
// collating the same two names again at every step; equal keys fall back to
// an exact comparison of the names.
template <typename Key, typename MakeKey> void SortByKeys(QStringList& list, MakeKey makeKey) {
    std::vector<std::pair<Key, qsizetype>> keyed;
    keyed.reserve(size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        keyed.emplace_back(makeKey(list.at(i)), i);
    std::sort(keyed.begin(), keyed.end(), [&list](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first);
        return order != 0 ? order < 0 : list.at(a.second) < list.at(b.second);
    });
    QStringList sorted;
    sorted.reserve(list.size());
    for (const auto& entry : keyed)
        sorted.append(std::move(list[entry.second]));
    list = std::move(sorted);
}

// The C locale has no collation: the collator compares the names' code units
// case-folded one by one (a low surrogate as part of its character), but its
// sort keys keep case. The same folding, made once per name.
QString FoldedCodeUnits(const QString& name) {
    QString folded(name.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar unit = name.at(i);
        if (unit.isLowSurrogate() && i > 0 && name.at(i - 1).isHighSurrogate())
            out[i] = QChar(QChar::lowSurrogate(
                QChar::toCaseFolded(QChar::surrogateToUcs4(name.at(i - 1), unit))));
        else
            out[i] = unit.toCaseFolded();
    }
    return folded;
}

} // namespace

void SortArray(QStringList& list) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    if (collator.locale().language() == QLocale::C)
        SortByKeys<QString>(list, FoldedCodeUnits);
    else
        SortByKeys<QCollatorSortKey>(
            list, [&collator](const QString& name) { return collator.sortKey(name); });
}
