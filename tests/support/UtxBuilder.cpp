#include "UtxBuilder.h"

#include "services/Text1252.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qint32 HeaderInts = 11;
constexpr qint32 Signature = qint32(0x9E2A83C1);
constexpr qint32 Version = 69;

QByteArray NameBytes(const QString& name) {
    return ToWindows1252(name).value_or(name.toLatin1());
}

template <typename Entry>
QByteArray Build(const QStringList& names, qint32 tableOffset, Entry entry) {
    QByteArray table;
    for (const QString& name : names)
        table += entry(NameBytes(name), DefaultNameFlags());
    return BuildUtx(qint32(names.size()), tableOffset, table);
}

} // namespace

QByteArray DefaultNameFlags() {
    return QByteArray("\x10\x00\x07\x00", 4);
}

QByteArray CompactIndex(qint32 value) {
    quint32 rest = value < 0 ? 0u - quint32(value) : quint32(value);
    QByteArray bytes;
    char first = char((value < 0 ? 0x80 : 0) | (rest & 0x3F));
    rest >>= 6;
    if (rest)
        first = char(first | 0x40);
    bytes.append(first);
    while (rest) {
        const char next = char((rest & 0x7F) | (rest > 0x7F ? 0x80 : 0));
        bytes.append(next);
        rest >>= 7;
    }
    return bytes;
}

QByteArray UtxHeader(qint32 nameCount, qint32 tableOffset) {
    const qint32 values[HeaderInts] = {Signature, Version, 1, nameCount, tableOffset};
    QByteArray header(HeaderInts * 4, '\0');
    for (int i = 0; i < HeaderInts; ++i)
        qToLittleEndian(values[i], header.data() + 4 * i);
    if (tableOffset > header.size())
        header.append(tableOffset - header.size(), '\0');
    return header;
}

QByteArray Utx64Entry(QByteArrayView name, QByteArrayView flags) {
    return CompactIndex(qint32(name.size() + 1)) + name.toByteArray() + '\0' + flags.toByteArray();
}

QByteArray Utx60Entry(QByteArrayView name, QByteArrayView flags) {
    return name.toByteArray() + '\0' + flags.toByteArray();
}

QByteArray BuildUtx64(const QStringList& names) {
    return Build(names, 64, [](QByteArrayView n, QByteArrayView f) { return Utx64Entry(n, f); });
}

QByteArray BuildUtx60(const QStringList& names) {
    return Build(names, 60, [](QByteArrayView n, QByteArrayView f) { return Utx60Entry(n, f); });
}

QByteArray BuildUtx(qint32 nameCount, qint32 tableOffset, QByteArrayView table) {
    return UtxHeader(nameCount, tableOffset) + table.toByteArray();
}

bool WriteBytes(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}
