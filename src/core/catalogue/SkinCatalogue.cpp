#include "catalogue/SkinCatalogue.h"

#include "services/DataFiles.h"
#include "services/SafeFile.h"

#include "services/Text1252.h"

#include <optional>

namespace {

// Line-by-line reading as the catalogue expects it: a line ends at CR LF, CR
// or LF, and asking for a line at the end of the text is a failure.
class LineReader {
public:
    explicit LineReader(const QString& text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    std::optional<QString> readLine() {
        if (atEnd())
            return std::nullopt;
        qsizetype end = pos_;
        while (end < text_.size() && text_[end] != QLatin1Char('\r') &&
               text_[end] != QLatin1Char('\n'))
            ++end;
        QString line = text_.sliced(pos_, end - pos_);
        pos_ = end;
        if (end < text_.size()) {
            pos_ = end + 1;
            if (text_[end] == QLatin1Char('\r') && pos_ < text_.size() &&
                text_[pos_] == QLatin1Char('\n'))
                ++pos_;
        }
        return line;
    }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

// A value line: a label of `labelLength` characters, the value, one closing
// character.
QString ValueOf(const QString& line, qsizetype labelLength) {
    if (line.size() <= labelLength)
        return {};
    return line.mid(labelLength, line.size() - labelLength - 1);
}

// Reads the record lines after the key line; false when the text ends first.
bool ReadValues(LineReader& reader, SkinFormat& record) {
    struct Field {
        QString SkinFormat::*field;
        qsizetype labelLength;
    };
    static constexpr Field fields[] = {
        {&SkinFormat::ExcludeText, 6},  {&SkinFormat::SkinChar, 7},    {&SkinFormat::NamedChar, 6},
        {&SkinFormat::GroupEndChar, 6}, {&SkinFormat::Description, 6},
    };
    for (const Field& f : fields) {
        const std::optional<QString> line = reader.readLine();
        if (!line)
            return false;
        record.*f.field = ValueOf(*line, f.labelLength);
    }
    return reader.readLine().has_value(); // the separator line
}

QString CatalogueFile(const QString& programDir) {
    return programDir + QLatin1Char('/') + QLatin1String(SkinFormatsFileName);
}

} // namespace

bool ParseSkins(QByteArrayView bytes, QList<SkinFormat>& SkinCatalogue) {
    SkinCatalogue = {SkinFormat{}};
    const QString text = FromWindows1252(bytes);
    LineReader reader(text);
    while (!reader.atEnd()) {
        const QString keyLine = *reader.readLine();
        // An empty line where a record should begin ends the catalogue.
        if (keyLine.isEmpty())
            break;
        if (keyLine.size() < 2)
            return false;
        SkinFormat& record = SkinCatalogue.last();
        record.Key = keyLine.mid(1, keyLine.size() - 2);
        if (!ReadValues(reader, record))
            return false;
        if (reader.atEnd())
            break;
        SkinCatalogue.append(SkinFormat{});
    }
    while (SkinCatalogue.size() > 1 && SkinCatalogue.last().Key.isEmpty())
        SkinCatalogue.removeLast();
    return !SkinCatalogue.last().Key.isEmpty();
}

bool ReadSkins(const QString& programDir, CatalogueState& state) {
    state.SkinsRead = true;
    state.SkinCatalogue = {SkinFormat{}};
    const std::optional<QByteArray> bytes = ReadWholeFile(CatalogueFile(programDir));
    return bytes && ParseSkins(*bytes, state.SkinCatalogue);
}

bool MatchSkinFormat(const QString& name, const QString& programDir, CatalogueState& state) {
    if (state.SkinsRead)
        ReadSkins(programDir, state);
    if (name.isEmpty())
        return false;
    const QString unknown = QStringLiteral("Unknown");
    for (const SkinFormat& record : std::as_const(state.SkinCatalogue)) {
        const qsizetype position = name.indexOf(record.Key, 0, Qt::CaseInsensitive);
        if (position == 0) {
            state.CurrentSkin = record;
            return true;
        }
        if (position < 0) {
            SkinFormat& skin = state.CurrentSkin;
            skin.Key = skin.ExcludeText = skin.SkinChar = skin.NamedChar = skin.GroupEndChar =
                unknown;
        }
    }
    return false;
}

SkinList LoadSkinInfo(const QString& programDir, CatalogueState& state) {
    SkinList list;
    if (!ReadSkins(programDir, state))
        return list;
    for (const SkinFormat& record : std::as_const(state.SkinCatalogue))
        list.keys.append(record.Key);
    list.selected = 0;
    return list;
}

int TypeListIndex(const QStringList& typeList, const QString& key) {
    for (qsizetype i = 0; i < typeList.size(); ++i) {
        if (typeList[i].compare(key, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void SelectSkin(int index, CatalogueState& state) {
    if (index < 0 || index >= state.SkinCatalogue.size())
        return;
    const SkinFormat& record = state.SkinCatalogue[index];
    SkinFormat& skin = state.CurrentSkin;
    skin.ExcludeText = record.ExcludeText;
    skin.SkinChar = record.SkinChar;
    skin.NamedChar = record.NamedChar;
    skin.GroupEndChar = record.GroupEndChar;
    skin.Description = record.Description;
}
