#include "services/Text1252.h"

#include <QStringDecoder>
#include <array>

namespace {

// The code page's 256 characters, looked up once: converting through ICU for
// every short name costs far more than the names themselves.
const std::array<char16_t, 256>& CodePageCharacters() {
    static const std::array<char16_t, 256> characters = [] {
        std::array<char16_t, 256> table{};
        QByteArray bytes(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            bytes[i] = char(i);
        QStringDecoder decoder("windows-1252");
        const QString decoded = decoder.decode(bytes);
        for (int i = 0; i < 256; ++i)
            table[size_t(i)] = i < decoded.size() ? decoded[i].unicode() : char16_t(i);
        return table;
    }();
    return characters;
}

std::optional<char> ByteFor(char16_t character) {
    // Outside 0x80..0x9F the code page agrees with Latin-1.
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return char(character);
    const auto& table = CodePageCharacters();
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        if (table[size_t(byte)] == character)
            return char(byte);
    }
    return std::nullopt;
}

} // namespace

QString FromWindows1252(QByteArrayView bytes) {
    const auto& table = CodePageCharacters();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(table[static_cast<unsigned char>(bytes[i])]);
    return text;
}

std::optional<QByteArray> ToWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<char> byte = ByteFor(text[i].unicode());
        if (!byte)
            return std::nullopt;
        out[i] = *byte;
    }
    return bytes;
}

QString FirstUnencodableCharacter(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (ByteFor(text[i].unicode()))
            continue;
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        return text.mid(i, length).toString();
    }
    return {};
}
