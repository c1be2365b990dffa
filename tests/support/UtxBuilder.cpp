#include "UtxBuilder.h"

#include "services/Text1252.h"

#include <QFile>
#include <QtEndian>

namespace {
// The package format's variable-length integer, for a length.
QByteArray CompactIndex(quint32 value) {
    QByteArray bytes(1, char((value > 0x3F ? 0x40 : 0) | (value & 0x3F)));
    for (value >>= 6; value; value >>= 7)
        bytes.append(char((value & 0x7F) | (value > 0x7F ? 0x80 : 0)));
    return bytes;
}

QByteArray Build(const QStringList& names, qint32 tableOffset,
                 QByteArray (*entry)(QByteArrayView)) {
    QByteArray table;
    for (const QString& name : names)
        table += entry(ToWindows1252(name).value_or(name.toLatin1()));
    return BuildUtx(qint32(names.size()), tableOffset, table);
}
} // namespace

QByteArray Utx64Entry(QByteArrayView name) {
    return CompactIndex(quint32(name.size() + 1)) + Utx60Entry(name);
}

QByteArray Utx60Entry(QByteArrayView name) {
    return name.toByteArray() + '\0' + QByteArray("\x10\x00\x07\x00", 4);
}

QByteArray BuildUtx64(const QStringList& names) {
    return Build(names, 64, Utx64Entry);
}
QByteArray BuildUtx60(const QStringList& names) {
    return Build(names, 60, Utx60Entry);
}

QByteArray BuildUtx(qint32 nameCount, qint32 tableOffset, QByteArrayView table) {
    const qint32 values[] = {qint32(0x9E2A83C1), 69, 1, nameCount, tableOffset};
    QByteArray header(tableOffset > 44 ? tableOffset : 44, '\0');
    for (int i = 0; i < 5; ++i)
        qToLittleEndian(values[i], header.data() + 4 * i);
    return header + table.toByteArray();
}

QByteArray SkinRecord(const SkinFormat& skin) {
    return QStringLiteral("[%1]\r\nExcl=\"%2\"\r\nSkinC=\"%3\"\r\nName=\"%4\"\r\nGrup=\"%5\"\r\n"
                          "Desc=\"%6\"\r\n\r\n")
        .arg(skin.Key, skin.ExcludeText, skin.SkinChar, skin.NamedChar, skin.GroupEndChar,
             skin.Description)
        .toLatin1();
}

bool WriteBytes(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}
