#include "engine/ScriptWriter.h"

#include <algorithm>

namespace {

constexpr qsizetype FifthPosition = 4;

// The text's fixed pieces, UTF-16 already, so appending them is a plain copy.
constexpr QStringView LineEnd(u"\r\n");
constexpr QStringView HeaderLine(u"[public]\r\n");
constexpr QStringView ObjectStart(u"Object=(Name=");
constexpr QStringView ObjectEnd(u",Class=Texture)");
constexpr QStringView DescriptionStart(u",Class=Texture,Description=\"");
constexpr QStringView DescriptionEnd(u"\")");

QString FifthCharacter(const QString& item) {
    return item.size() > FifthPosition ? item.mid(FifthPosition, 1) : QString();
}

// The value of a fifth character "0" to "9"; 0 for anything else.
int DigitValue(const QString& item) {
    const QChar fifth = item.size() > FifthPosition ? item.at(FifthPosition) : QChar();
    return fifth >= QLatin1Char('0') && fifth <= QLatin1Char('9') ? fifth.unicode() - '0' : 0;
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
    return HeaderLine.toString();
}

// Room for the whole text: every item as a description line of at most
// `describedExtra` more characters than the name, followed by a blank line,
// so the text is built without ever being moved.
qsizetype TextCapacity(const QStringList& items, const QString& package, qsizetype describedExtra) {
    const qsizetype perLine = ObjectStart.size() + package.size() + 1 + DescriptionStart.size() +
                              describedExtra + DescriptionEnd.size() + 2 * LineEnd.size();
    qsizetype capacity = HeaderLine.size() + items.size() * perLine;
    for (const QString& item : items)
        capacity += 2 * item.size();
    return capacity;
}

// The values are put in as they are, never searched for placeholders again.
void AppendObjectLine(QString& text, const QString& package, const QString& name) {
    text.append(ObjectStart).append(package).append(QLatin1Char('.')).append(name);
    text.append(ObjectEnd).append(LineEnd);
}

void AppendDescriptionLine(QString& text, const QString& package, const QString& name,
                           QStringView desc) {
    text.append(ObjectStart).append(package).append(QLatin1Char('.')).append(name);
    text.append(DescriptionStart).append(desc).append(DescriptionEnd).append(LineEnd);
}

QString UTScript(const QStringList& items, const QString& package, const SkinFormat& skin) {
    const QString skinChar = skin.SkinChar.toLower();
    const QString namedChar = skin.NamedChar.toLower();
    const QString groupEndChar = skin.GroupEndChar.toLower();
    const qsizetype last = items.size() - 1;
    QString text = Header();
    text.reserve(TextCapacity(items, package, skin.Key.size()));
    for (qsizetype i = 0; i <= last; ++i) {
        // A name without a digit is passed over while two more names follow.
        if (DigitValue(items[i]) == 0 && i + 1 < last)
            ++i;
        const QString& t = items[i];
        const QString f = FifthCharacter(t).toLower();
        const bool excluded = Contains(t, skin.ExcludeText);
        if (!excluded && f == skinChar && t.size() == 5)
            AppendDescriptionLine(text, package, t, QString(skin.Key + t));
        else if (!excluded && f == namedChar && t.size() > 5)
            AppendDescriptionLine(text, package, t, ProperCase(t.mid(5)));
        else
            AppendObjectLine(text, package, t);
        if (i + 1 < last && f == groupEndChar &&
            FifthCharacter(items[i + 1]).toLower() != groupEndChar)
            text += LineEnd;
    }
    return text;
}

QString UScript(const QStringList& items, const QString& package, const SkinFormat& skin) {
    const bool describe = skin.ExcludeText.compare(u"Unknown", Qt::CaseInsensitive) != 0;
    QString text = Header();
    text.reserve(TextCapacity(items, package, 0));
    for (const QString& t : items) {
        if (Contains(t, skin.ExcludeText) || !describe)
            AppendObjectLine(text, package, t);
        else
            AppendDescriptionLine(text, package, t, ProperCase(t));
    }
    return text;
}

} // namespace

QString FindGameType(const QStringList& names) {
    if (names.isEmpty())
        return {};
    const auto withoutDigit = std::count_if(names.cbegin(), names.cend(),
                                            [](const QString& n) { return DigitValue(n) == 0; });
    const bool anySkinDigit = std::any_of(names.cbegin(), names.cend(), [](const QString& n) {
        const int value = DigitValue(n);
        return value >= 1 && value <= 5;
    });
    if (withoutDigit >= names.size() - 1)
        return QStringLiteral("U");
    if (anySkinDigit)
        return QStringLiteral("UT");
    return {};
}

QString WriteScript(const QStringList& items, const PackageRecord& PackageItems,
                    const SkinFormat& CurrentSkin) {
    const QString type = FindGameType(PackageItems.Names);
    if (type == u"UT")
        return UTScript(items, PackageItems.PackageName, CurrentSkin);
    if (type == u"U")
        return UScript(items, PackageItems.PackageName, CurrentSkin);
    return {};
}

QString BuildINTText(const QStringList& list, const PackageRecord& PackageItems,
                     const SkinFormat& CurrentSkin) {
    if (list.isEmpty())
        return Header();
    return WriteScript(list, PackageItems, CurrentSkin);
}
