#include "engine/UnwritableNames.h"

#include <algorithm>

namespace {

// U+0000 to U+001F and U+007F to U+009F, the characters Unicode counts as
// controls.
bool IsControl(QChar c) {
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
}

// What an .int line uses to mark its own parts.
bool IsDelimiter(QChar c) {
    return c == u'"' || c == u',' || c == u'(' || c == u')' || c == u'=';
}

QString Escaped(QChar c) {
    switch (c.unicode()) {
    case u'\r':
        return QStringLiteral("\\r");
    case u'\n':
        return QStringLiteral("\\n");
    case u'\t':
        return QStringLiteral("\\t");
    default:
        return QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
}

const QChar* FirstUnwritable(QStringView name) {
    return std::find_if(name.begin(), name.end(),
                        [](QChar c) { return IsControl(c) || IsDelimiter(c); });
}

} // namespace

QString UnwritableNameReason(QStringView name) {
    const QChar* bad = FirstUnwritable(name);
    if (bad == name.end())
        return {};
    if (name.contains(u'\r') || name.contains(u'\n'))
        return QStringLiteral("it holds a line break");
    if (IsControl(*bad))
        return QStringLiteral("it holds the control character %1").arg(Escaped(*bad));
    return QStringLiteral("it holds the character '%1'").arg(*bad);
}

QList<LeftOutName> TakeUnwritableNames(QStringList& names) {
    // The usual case, every name writable, leaves the list untouched.
    if (std::all_of(names.cbegin(), names.cend(),
                    [](const QString& name) { return FirstUnwritable(name) == name.end(); }))
        return {};
    QList<LeftOutName> leftOut;
    QStringList kept;
    for (const QString& name : std::as_const(names)) {
        QString reason = UnwritableNameReason(name);
        if (reason.isEmpty())
            kept.append(name);
        else
            leftOut.append({name, std::move(reason)});
    }
    names = std::move(kept);
    return leftOut;
}

QString PrintableName(QStringView name) {
    QString shown;
    shown.reserve(name.size());
    for (const QChar c : name) {
        if (IsControl(c))
            shown += Escaped(c);
        else
            shown += c;
    }
    return shown;
}
