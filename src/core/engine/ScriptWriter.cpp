#include "engine/ScriptWriter.h"

#include <algorithm>

namespace {

constexpr qsizetype FifthPosition = 4;
constexpr char LineEnd[] = "\r\n";

QString FifthCharacter(const QString& item) {
    return item.size() > FifthPosition ? item.mid(FifthPosition, 1) : QString();
}

// The value of a fifth character "0" to "9"; 0 for anything else.
int DigitValue(const QString& item) {
    const QString fifth = FifthCharacter(item);
    if (fifth.isEmpty() || fifth[0] < QLatin1Char('0') || fifth[0] > QLatin1Char('9'))
        return 0;
    return fifth[0].unicode() - '0';
}

bool Contains(const QString& text, const QString& part) {
    return text.contains(part, Qt::CaseInsensitive);
}

// First character of every white-space separated word upper case, the rest lower.
QString ProperCase(const QString& text) {
    QString result = text;
    bool wordStart = true;
    for (QChar& c : result) {
        if (c.isSpace()) {
            wordStart = true;
            continue;
        }
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    return result;
}

QString Header() {
    return QStringLiteral("[public]") + QLatin1String(LineEnd);
}

// The values are put in as they are, never searched for placeholders again.
QString ObjectLine(const QString& package, const QString& name) {
    return QStringLiteral("Object=(Name=%1.%2,Class=Texture)").arg(package, name) +
           QLatin1String(LineEnd);
}

QString DescriptionLine(const QString& package, const QString& name, const QString& desc) {
    return QStringLiteral("Object=(Name=%1.%2,Class=Texture,Description=\"%3\")")
               .arg(package, name, desc) +
           QLatin1String(LineEnd);
}

QString UTScript(const QStringList& items, const QString& package, const SkinFormat& skin) {
    const QString skinChar = skin.SkinChar.toLower();
    const QString namedChar = skin.NamedChar.toLower();
    const QString groupEndChar = skin.GroupEndChar.toLower();
    const qsizetype last = items.size() - 1;
    QString text = Header();
    for (qsizetype i = 0; i <= last; ++i) {
        // A name without a digit is passed over while two more names follow.
        if (DigitValue(items[i]) == 0 && i + 1 < last)
            ++i;
        const QString& t = items[i];
        const QString f = FifthCharacter(t).toLower();
        const bool excluded = Contains(t, skin.ExcludeText);
        if (!excluded && f == skinChar && t.size() == 5)
            text += DescriptionLine(package, t, skin.Key + t);
        else if (!excluded && f == namedChar && t.size() > 5)
            text += DescriptionLine(package, t, ProperCase(t.mid(5)));
        else
            text += ObjectLine(package, t);
        if (i + 1 < last && f == groupEndChar &&
            FifthCharacter(items[i + 1]).toLower() != groupEndChar)
            text += QLatin1String(LineEnd);
    }
    return text;
}

QString UScript(const QStringList& items, const QString& package, const SkinFormat& skin) {
    const bool describe = skin.ExcludeText.compare(u"Unknown", Qt::CaseInsensitive) != 0;
    QString text = Header();
    for (const QString& t : items) {
        if (Contains(t, skin.ExcludeText) || !describe)
            text += ObjectLine(package, t);
        else
            text += DescriptionLine(package, t, ProperCase(t));
    }
    return text;
}

} // namespace

void FindGameType(PackageRecord& PackageItems) {
    const QStringList& names = PackageItems.Names;
    if (names.isEmpty())
        return;
    const auto withoutDigit = std::count_if(names.cbegin(), names.cend(),
                                            [](const QString& n) { return DigitValue(n) == 0; });
    const bool anySkinDigit = std::any_of(names.cbegin(), names.cend(), [](const QString& n) {
        const int value = DigitValue(n);
        return value >= 1 && value <= 5;
    });
    if (withoutDigit >= names.size() - 1)
        PackageItems.GameType = QStringLiteral("U");
    else if (anySkinDigit)
        PackageItems.GameType = QStringLiteral("UT");
}

QString WriteScript(const QStringList& items, PackageRecord& PackageItems,
                    const SkinFormat& CurrentSkin) {
    FindGameType(PackageItems);
    const QString& type = PackageItems.GameType;
    if (type.compare(u"UT", Qt::CaseInsensitive) == 0)
        return UTScript(items, PackageItems.PackageName, CurrentSkin);
    if (type.compare(u"U", Qt::CaseInsensitive) == 0)
        return UScript(items, PackageItems.PackageName, CurrentSkin);
    return {};
}

QString BuildINTText(const QStringList& list, PackageRecord& PackageItems,
                     const SkinFormat& CurrentSkin) {
    if (list.isEmpty())
        return Header();
    return WriteScript(list, PackageItems, CurrentSkin);
}
