#include "engine/FilterList.h"

#include "services/DataFiles.h"
#include "services/Dialogs.h"
#include "services/FilePaths.h"
#include "services/SafeFile.h"
#include "services/Text1252.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr char Scramble = 0x6B;
constexpr qsizetype LengthSize = 2;
constexpr qsizetype LongestEntry = 0xFFFF;
// Far more than any list of name fragments: a larger file is no filter list.
constexpr qsizetype LargestFile = 1024 * 1024;

QByteArray Scrambled(QByteArrayView bytes) {
    QByteArray result(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        result[i] = char(bytes[i] ^ Scramble);
    return result;
}

// The filter entries grouped by their first character, case folded once:
// each position of a name is compared only with the entries that can start
// there, instead of every name being searched for every entry.
class EntryIndex {
public:
    explicit EntryIndex(const QStringList& entries) {
        for (const QString& entry : entries) {
            const QString folded = entry.toCaseFolded();
            if (folded.isEmpty())
                matchesEverything_ = true;
            else
                byFirstCharacter_[folded.front().unicode()].append(folded);
        }
    }

    // Whether any entry occurs in `name`, ignoring case; an empty entry
    // occurs in every name.
    bool occursIn(const QString& name) const {
        if (matchesEverything_)
            return true;
        const QString folded = name.toCaseFolded();
        const QStringView text(folded);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto group = byFirstCharacter_.constFind(text[i].unicode());
            if (group == byFirstCharacter_.cend())
                continue;
            const QStringView rest = text.sliced(i);
            for (const QString& entry : *group) {
                if (rest.startsWith(entry))
                    return true;
            }
        }
        return false;
    }

private:
    QHash<char16_t, QStringList> byFirstCharacter_;
    bool matchesEverything_ = false;
};

// The scrambled bytes of each entry, in file order, up to the empty entry that
// ends the list. `cutShort` (when given) tells whether the file ends inside an
// entry or its length.
QList<QByteArrayView> RawEntries(QByteArrayView bytes, bool* cutShort = nullptr) {
    QList<QByteArrayView> entries;
    qsizetype pos = 0;
    bool inside = false;
    while (pos < bytes.size()) {
        inside = pos + LengthSize > bytes.size();
        if (inside)
            break;
        const qsizetype length = qFromLittleEndian<quint16>(bytes.data() + pos);
        pos += LengthSize;
        inside = pos + length > bytes.size();
        if (length == 0 || inside)
            break;
        entries.append(bytes.sliced(pos, length));
        pos += length;
    }
    if (cutShort)
        *cutShort = inside;
    return entries;
}

QString DecodeEntry(QByteArrayView scrambled) {
    return FromWindows1252(Scrambled(scrambled)).toLower();
}

// Names never hold control characters; garbage read as a list does.
bool HoldsControlCharacter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString InProgramDir(const QString& programDir, const QString& fileName) {
    return programDir + QLatin1Char('/') + fileName;
}

bool Fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

} // namespace

QStringList DecodeFilterFile(QByteArrayView bytes) {
    QStringList entries;
    for (const QByteArrayView entry : RawEntries(bytes))
        entries.append(DecodeEntry(entry));
    return entries;
}

QString FilterFileDamage(QByteArrayView bytes) {
    if (bytes.size() > LargestFile)
        return QStringLiteral("it is larger than any list of names");
    bool cutShort = false;
    const QList<QByteArrayView> entries = RawEntries(bytes, &cutShort);
    if (cutShort)
        return QStringLiteral("it ends in the middle of an entry");
    if (entries.isEmpty())
        return QStringLiteral("it holds no entry");
    for (const QByteArrayView entry : entries) {
        if (HoldsControlCharacter(DecodeEntry(entry)))
            return QStringLiteral("an entry holds control characters");
    }
    return {};
}

QString FilterListProblem(const QString& programDir, const QString& fileName) {
    const QString path = InProgramDir(programDir, fileName);
    if (!FileExists(path))
        return {};
    QString why = RegularFileProblem(path);
    if (why.isEmpty()) {
        const std::optional<QByteArray> bytes = ReadWholeFile(path, &why);
        why = bytes ? FilterFileDamage(*bytes) : why;
    }
    if (why.isEmpty())
        return {};
    why.chop(why.endsWith(u'.') ? 1 : 0);
    return QStringLiteral("The filter list %1 cannot be used (%2); the packages' names are not "
                          "filtered with it. To get the shipped list back, delete the file: "
                          "an installed Varnwick copies it afresh at its next start, a build "
                          "folder gets it from the next build.")
        .arg(path, why);
}

namespace {

// Why an entry cannot be written to the filter list; empty when it can.
// `bytes` is the entry in Windows-1252, none when it has no such form.
QString UnstorableEntry(const QString& entry, const std::optional<QByteArray>& bytes) {
    if (entry.isEmpty())
        return QStringLiteral("An empty filter entry cannot be stored.");
    if (HoldsControlCharacter(entry))
        return QStringLiteral("The filter entry \"%1\" holds a control character, which the "
                              "filter list cannot store.")
            .arg(entry);
    if (!bytes)
        return QStringLiteral("The filter entry \"%1\" holds the character \"%2\", which the "
                              "filter list cannot store.")
            .arg(entry, FirstUnencodableCharacter(entry));
    if (bytes->size() > LongestEntry)
        return QStringLiteral("A filter entry of %1 characters is too long to be stored; the "
                              "longest possible is %2.")
            .arg(bytes->size())
            .arg(LongestEntry);
    return {};
}

// Each entry is its length, two bytes little-endian, then its scrambled bytes.
void AppendEntry(QByteArray& file, const QByteArray& bytes) {
    char lengthBytes[LengthSize];
    qToLittleEndian(quint16(bytes.size()), lengthBytes);
    file.append(lengthBytes, LengthSize);
    file.append(Scrambled(bytes));
}

} // namespace

std::optional<QByteArray> EncodeFilterFile(const QStringList& entries, QString* error) {
    QByteArray file;
    for (const QString& entry : entries) {
        const std::optional<QByteArray> bytes = ToWindows1252(entry);
        if (const QString reason = UnstorableEntry(entry, bytes); !reason.isEmpty()) {
            Fail(error, reason);
            return std::nullopt;
        }
        AppendEntry(file, *bytes);
    }
    if (file.size() > LargestFile) {
        Fail(error, QStringLiteral("The filter list is too long to be stored; it may take at "
                                   "most %1 bytes.")
                        .arg(LargestFile));
        return std::nullopt;
    }
    return file;
}

void ReadFilter(QStringList* target, const QString& programDir, const QString& fileName,
                QStringList& FilterList) {
    const QString path = InProgramDir(programDir, fileName);
    if (FileExists(path)) {
        // A damaged file would let the engine's own names through unnoticed;
        // the list stays as it was, and FilterListProblem tells the user.
        const std::optional<QByteArray> bytes = ReadWholeFile(path);
        if (bytes && FilterFileDamage(*bytes).isEmpty()) {
            FilterList = DecodeFilterFile(*bytes);
            FilterList.append(QString()); // the package slot
        }
    }
    if (target && !FilterList.isEmpty())
        target->append(FilterList.first(FilterList.size() - 1));
}

bool WriteFilter(const QStringList& source, const QString& programDir, const QString& fileName,
                 Dialogs& dialogs, QString* error) {
    if (error)
        error->clear();
    if (source.isEmpty())
        return false;
    const std::optional<QByteArray> encoded = EncodeFilterFile(source, error);
    if (!encoded)
        return false;
    // The filter list is only ever replaced, never created.
    const QString path = InProgramDir(programDir, fileName);
    if (!FileExists(path))
        return false;
    const Dialogs::Answer answer =
        dialogs.message(QStringLiteral("Are you sure you\r\nwant to overwrite?"),
                        QStringLiteral("File Operations"), Dialogs::Buttons::OkCancel);
    if (answer != Dialogs::Answer::Ok)
        return false;

    const std::optional<QByteArray> old = ReadWholeFile(path);
    if (!old)
        return Fail(error, QStringLiteral("Could not read %1 to back it up.").arg(path));
    // A damaged list is not kept in place of the backup of a good one.
    if (FilterFileDamage(*old).isEmpty() &&
        !WriteFileAtomically(InProgramDir(programDir, QLatin1String(FilterBackupFileName)), *old,
                             error))
        return false;
    return WriteFileAtomically(path, *encoded, error);
}

qint32 filteritems(const QString& path, const QString& programDir, QStringList& FilterList,
                   const PackageRecord& PackageRead, PackageRecord& PackageItems) {
    ReadFilter(nullptr, programDir, QLatin1String(FilterFileName), FilterList);
    const QString shortName = ShortUTXName(path, true, true);
    PackageItems = PackageRead;
    // Without a filter list there is no slot for the package's name either:
    // every name is kept.
    if (FilterList.isEmpty())
        return qint32(PackageItems.Names.size());
    FilterList.last() = shortName.toLower();
    const EntryIndex entries(FilterList);
    PackageItems.Names.removeIf([&entries](const QString& name) { return entries.occursIn(name); });
    PackageItems.NameCount = qint32(PackageItems.Names.size());
    return PackageItems.NameCount;
}
