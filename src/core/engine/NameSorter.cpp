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
        sorted.append(list.at(entry.second));
    list = std::move(sorted);
}

// A code unit case-folded the way the C locale's comparison folds it: one by
// one, a low surrogate as part of its character.
char16_t FoldedUnit(QStringView name, qsizetype i) {
    const QChar unit = name[i];
    if (unit.isLowSurrogate() && i > 0 && name[i - 1].isHighSurrogate())
        return QChar::lowSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(name[i - 1], unit)));
    return unit.toCaseFolded().unicode();
}

// The C locale has no collation, and its sort keys keep case. Instead the
// first four folded code units, packed into one number, settle most
// comparisons; names that share them are compared in full the collator's way.
class FoldedHead {
public:
    explicit FoldedHead(QStringView name) : name_(name) {
        constexpr qsizetype Units = sizeof(head_) / sizeof(char16_t);
        for (qsizetype i = 0; i < Units; ++i)
            head_ = (head_ << 16) | (i < name.size() ? FoldedUnit(name, i) : 0);
    }

    int compare(const FoldedHead& other) const {
        if (head_ != other.head_)
            return head_ < other.head_ ? -1 : 1;
        return name_.compare(other.name_, Qt::CaseInsensitive);
    }

private:
    quint64 head_ = 0;
    QStringView name_;
};

} // namespace

void SortArray(QStringList& list) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    if (collator.locale().language() == QLocale::C)
        SortByKeys<FoldedHead>(list, [](const QString& name) { return FoldedHead(name); });
    else
        SortByKeys<QCollatorSortKey>(
            list, [&collator](const QString& name) { return collator.sortKey(name); });
}
