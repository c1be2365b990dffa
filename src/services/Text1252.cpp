#include "services/Text1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr char CodePage[] = "windows-1252";
}

QString FromWindows1252(QByteArrayView bytes) {
    QStringDecoder decoder(CodePage);
    return decoder.decode(bytes);
}

std::optional<QByteArray> ToWindows1252(QStringView text) {
    QStringEncoder encoder(CodePage);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || bytes.size() != text.size())
        return std::nullopt;
    return bytes;
}

QString FirstUnencodableCharacter(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (!ToWindows1252(text.mid(i, length)))
            return text.mid(i, length).toString();
        i += length - 1;
    }
    return {};
}
