#include "engine/PackageReader.h"

#include "services/SafeFile.h"
#include "services/Text1252.h"

#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

constexpr qsizetype HeaderSize = 44;
constexpr qsizetype NameCountOffset = 12;
constexpr qsizetype NameTableOffsetOffset = 16;
constexpr qint32 LengthPrefixedTable = 64;
constexpr qint32 TerminatedTable = 60;
constexpr qint64 FlagBytes = 4;
// A scanned name longer than this spills into the following entries' slots.
constexpr qsizetype ScanSlotLength = 30;
constexpr qsizetype LongestScannedName = 255;

// The package's bytes; anything past the end reads as zero, so a short name
// table yields short or empty names instead of a failure.
class Bytes {
public:
    explicit Bytes(QByteArrayView data) : data_(data) {}

    qint64 size() const { return data_.size(); }
    bool holds(qint64 pos) const { return pos >= 0 && pos < data_.size(); }
    quint8 at(qint64 pos) const { return holds(pos) ? quint8(data_[pos]) : 0; }
    QByteArrayView mid(qint64 pos, qint64 length) const {
        if (!holds(pos) || length <= 0)
            return {};
        return data_.sliced(pos, std::min(length, data_.size() - pos));
    }
    qint32 int32At(qsizetype pos) const { return qFromLittleEndian<qint32>(data_.data() + pos); }

private:
    QByteArrayView data_;
};

QString NameText(QByteArrayView bytes) {
    return FromWindows1252(bytes).toLower();
}

// The package format's compact index: byte 0 holds the sign (0x80), a "more
// follows" bit (0x40) and value bits 0-5; each further byte holds a "more
// follows" bit (0x80) and the next seven value bits. Reads at `pos` and moves
// `pos` past the index; nothing when the value does not fit 32 bits.
std::optional<qint32> ReadCompactIndex(const Bytes& bytes, qint64& pos) {
    const quint8 first = bytes.at(pos++);
    qint64 value = first & 0x3F;
    bool more = first & 0x40;
    for (int shift = 6; more; shift += 7) {
        if (shift > 31)
            return std::nullopt;
        const quint8 next = bytes.at(pos++);
        value |= qint64(next & 0x7F) << shift;
        more = next & 0x80;
    }
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32((first & 0x80) ? -value : value);
}

// Entries of a compact-index length L (name characters plus terminator), the
// L - 1 name bytes, the terminator and four flag bytes.
bool ReadLengthPrefixed(const Bytes& bytes, QStringList& names) {
    qint64 pos = LengthPrefixedTable;
    for (QString& name : names) {
        const std::optional<qint32> length = ReadCompactIndex(bytes, pos);
        if (!length || *length <= 0)
            return false;
        name = NameText(bytes.mid(pos, *length - 1));
        pos += *length + FlagBytes;
    }
    return true;
}

// The four flag bytes after a terminator are recognised by their usual values.
bool IsEndMarker(const Bytes& bytes, qint64 pos) {
    const quint8 flags1 = bytes.at(pos + 1);
    const quint8 flags3 = bytes.at(pos + 3);
    return bytes.at(pos) == 0 && (flags1 == 0x10 || flags1 == 0x12) &&
           (flags3 == 0x04 || flags3 == 0x07);
}

// Entries of name text, a terminator and four flag bytes, whose ends are found
// by scanning for the end marker. A name longer than a slot leaves one slot
// empty per extra character and lands complete in the slot where its end is
// met. Scanning stops at the end of the file; the slots not reached stay empty.
bool ReadTerminated(const Bytes& bytes, QStringList& names) {
    qint64 pos = TerminatedTable;
    QByteArray collected;
    for (QString& name : names) {
        bool slotFull = false;
        while (!slotFull && !IsEndMarker(bytes, pos)) {
            if (!bytes.holds(pos))
                return true;
            collected.append(char(bytes.at(pos++)));
            slotFull = collected.size() > ScanSlotLength;
        }
        if (slotFull)
            continue;
        pos += 1 + FlagBytes;
        if (collected.isEmpty() || collected.size() > LongestScannedName)
            return false;
        if (quint8(collected.front()) < 'A')
            collected.remove(0, 1);
        name = NameText(collected);
        collected.clear();
    }
    return true;
}

QString FileNameOf(const QString& path) {
    return ShortUTXName(path, false, true);
}

} // namespace

bool FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

QString ShortUTXName(const QString& name, bool dropExtension, bool dropFolder) {
    const qsizetype folderEnd =
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1;
    QString s = name;
    if (dropExtension) {
        const qsizetype dot = s.indexOf(QLatin1Char('.'), folderEnd);
        s = dot < 0 ? QString() : s.left(dot);
    }
    if (dropFolder)
        s = s.mid(std::min(folderEnd, s.size()));
    return s;
}

bool ReadUTXBytes(QByteArrayView data, const QString& path, PackageRecord& PackageRead) {
    const Bytes bytes(data);
    if (bytes.size() < HeaderSize)
        return false;
    const qint32 count = bytes.int32At(NameCountOffset);
    const qint32 tableOffset = bytes.int32At(NameTableOffsetOffset);
    // Every entry takes at least one byte, so a count beyond the file's size
    // cannot be genuine.
    if (count < 1 || count > bytes.size())
        return false;

    QStringList names(count);
    if (tableOffset == LengthPrefixedTable && !ReadLengthPrefixed(bytes, names))
        return false;
    if (tableOffset == TerminatedTable && !ReadTerminated(bytes, names))
        return false;

    const QString fileName = FileNameOf(path);
    if (fileName.size() < 4)
        return false;
    PackageRead.FileName = fileName;
    PackageRead.PackageName = fileName.chopped(4);
    PackageRead.Names = std::move(names);
    PackageRead.NameCount = count;
    return true;
}

bool ReadUTXFile(const QString& path, PackageRecord& PackageRead) {
    if (!FileExists(path))
        return false;
    const std::optional<QByteArray> data = ReadWholeFile(path);
    return data && ReadUTXBytes(*data, path, PackageRead);
}
