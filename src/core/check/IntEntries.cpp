#include "check/IntEntries.h"

#include "services/Text1252.h"

namespace {

// Older game versions copy a section into a buffer of this many characters
// ("Key=Value" and a terminator per entry) and read no further.
constexpr qsizetype SectionBuffer = 32767;

// One field of an entry as the game's parser takes it: after the first
// "Field=" (ignoring case), a quoted text up to the next double quote, or an
// unquoted one up to a space, tab, comma or closing parenthesis.
struct Field {
    bool found = false;
    QString value;
    QString cutReason; // why the game reads less than the writer meant; empty when it does not
};

Field ParseField(QStringView stream, QLatin1StringView match) {
    const qsizetype at = stream.indexOf(match, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const QStringView rest = stream.mid(at + match.size());
    Field field{true, {}, {}};
    if (rest.startsWith(QLatin1Char('"'))) {
        const qsizetype close = rest.indexOf(QLatin1Char('"'), 1);
        field.value = (close < 0 ? rest.mid(1) : rest.mid(1, close - 1)).toString();
        const QStringView after = close < 0 ? QStringView() : rest.mid(close + 1).trimmed();
        if (close < 0)
            field.cutReason = QStringLiteral("has no closing double quote");
        else if (!after.isEmpty() && !after.startsWith(QLatin1Char(',')) &&
                 !after.startsWith(QLatin1Char(')')))
            field.cutReason = QStringLiteral("ends at its second double quote");
        return field;
    }
    static const QString stops = QStringLiteral(" \t\r\n,)");
    qsizetype end = 0;
    while (end < rest.size() && !stops.contains(rest[end]))
        ++end;
    field.value = rest.left(end).toString();
    qsizetype meant = end;
    while (meant < rest.size() && rest[meant] != QLatin1Char(',') &&
           rest[meant] != QLatin1Char(')'))
        ++meant;
    if (rest.left(meant).trimmed() != field.value)
        field.cutReason = QStringLiteral("is read only up to its first space");
    return field;
}

// The lines of a text; CR LF, LF and CR each end a line, as in the game.
QList<QStringView> Lines(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

class Reader {
public:
    IntReading reading;

    void line(int number, QStringView text) {
        number_ = number;
        if (const QString bad = FirstUnencodableCharacter(text); !bad.isEmpty())
            add(Severity::Error, CheckRule::Unencodable,
                QStringLiteral("The character \"%1\" cannot be stored in the game's character "
                               "set (Windows-1252).")
                    .arg(bad));
        if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) {
            section_ = text.sliced(1, text.size() - 2).toString();
            inSection_ = true;
            sectionSize_ = 0;
            return;
        }
        if (text.trimmed().isEmpty())
            return;
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals < 0 || text.trimmed().startsWith(QLatin1Char('['))) {
            add(Severity::Error, CheckRule::Unreadable,
                QStringLiteral("The game skips this line: it is neither a [section] header (at "
                               "the very start and end of the line) nor a Key=Value line."));
            return;
        }
        keyValue(text.left(equals), text.mid(equals + 1));
    }

private:
    int number_ = 0;
    QString section_;
    bool inSection_ = false;
    qsizetype sectionSize_ = 0;

    void add(Severity severity, CheckRule rule, const QString& text) {
        reading.findings.append({severity, rule, number_, text});
    }

    bool inPublic() const {
        return inSection_ && section_.compare(QLatin1String("Public"), Qt::CaseInsensitive) == 0;
    }

    void keyValue(QStringView key, QStringView value) {
        const bool isObject =
            key.trimmed().compare(QLatin1String("Object"), Qt::CaseInsensitive) == 0;
        if (isObject && key.size() != key.trimmed().size()) {
            add(Severity::Error, CheckRule::Unreadable,
                QStringLiteral("The space around \"Object\" makes the game read another key: "
                               "write Object= with no space."));
            return;
        }
        if (inPublic()) {
            sectionSize_ += key.size() + value.size() + 2;
            if (sectionSize_ > SectionBuffer &&
                sectionSize_ - key.size() - value.size() - 2 <= SectionBuffer)
                add(Severity::Warning, CheckRule::SectionTooLong,
                    QStringLiteral("The [Public] section passes 32,767 characters here: the "
                                   "original game (before patch 469) reads no further."));
        }
        if (!isObject) {
            if (inPublic() &&
                key.trimmed().compare(QLatin1String("Preferences"), Qt::CaseInsensitive) != 0)
                add(Severity::Error, CheckRule::Unreadable,
                    QStringLiteral("The game reads only Object= entries in [Public] and skips "
                                   "this line."));
            return;
        }
        if (!inPublic()) {
            add(Severity::Error, CheckRule::OutsidePublic,
                QStringLiteral("This entry is outside the [Public] section, so the game never "
                               "reads it."));
            return;
        }
        entry(value);
    }

    void entry(QStringView value) {
        // The reader drops double quotes around a whole value.
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.sliced(1, value.size() - 2);
        const Field name = ParseField(value, QLatin1StringView("Name="));
        if (name.value.isEmpty()) {
            add(Severity::Error, CheckRule::Unreadable,
                QStringLiteral("The game finds no object name in this entry: it needs "
                               "Name=Package.Texture."));
            return;
        }
        const Field className = ParseField(value, QLatin1StringView("Class="));
        const Field description = ParseField(value, QLatin1StringView("Description="));
        const IntEntry entry{number_, name.value, className.value, description.value};
        if (!entry.isTexture())
            add(Severity::Warning, CheckRule::NoClass,
                QStringLiteral("%1 is not given Class=Texture, so the skin menu ignores it.")
                    .arg(entry.object));
        if (!description.cutReason.isEmpty())
            add(Severity::Warning, CheckRule::DescriptionCut,
                QStringLiteral("The description %1: the game shows \"%2\". Write it in double "
                               "quotes, without double quotes inside.")
                    .arg(description.cutReason, description.value));
        reading.entries.append(entry);
    }
};

} // namespace

QString PackageOf(const QString& object) {
    return object.section(QLatin1Char('.'), 0, 0);
}

QString ItemOf(const QString& object) {
    return object.section(QLatin1Char('.'), -1);
}

QString PathOf(const QString& object) {
    return object.left(object.size() - ItemOf(object).size());
}

IntReading ReadIntText(QStringView text) {
    Reader reader;
    const QList<QStringView> lines = Lines(text);
    for (qsizetype i = 0; i < lines.size(); ++i)
        reader.line(int(i + 1), lines[i]);
    return reader.reading;
}
