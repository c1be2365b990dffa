#include "Thumbnail.h"
#include "VarnwickVersion.h"
#include "services/SafeFile.h"

#include <QFile>
#include <cstdio>

namespace {

constexpr char Program[] = "varnwick-thumbnailer";

int Say(FILE* stream, const QString& text, int status) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

QString UsageText() {
    return QStringLiteral("Usage: %1 SIZE INPUT OUTPUT\n"
                          "Writes a PNG of the Unreal package INPUT's first skin texture, at most "
                          "SIZE x SIZE pixels (SIZE 1 to %2), to OUTPUT.\n")
        .arg(QLatin1String(Program))
        .arg(MaxThumbnailSize);
}

} // namespace

int main(int argc, char* argv[]) {
    const QByteArray first = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (argc == 2 && (first == "-V" || first == "--version"))
        return Say(stdout, QStringLiteral("%1 %2\n").arg(Program, VarnwickVersion::Full), 0);
    if (argc == 2 && (first == "-h" || first == "--help"))
        return Say(stdout, UsageText(), 0);
    bool isNumber = false;
    const int size = first.toInt(&isNumber);
    if (argc != 4 || !isNumber || size < 1 || size > MaxThumbnailSize)
        return Say(stderr, UsageText(), 1);

    const QString input = QFile::decodeName(argv[2]);
    const QString output = QFile::decodeName(argv[3]);
    QString error;
    const std::optional<QByteArray> png = PackageThumbnail(input, size, error);
    if (!png)
        return Say(stderr, QStringLiteral("%1: %2: %3\n").arg(Program, input, error), 2);
    if (!WriteFileAtomically(output, *png, &error))
        return Say(stderr, QStringLiteral("%1: %2\n").arg(Program, error), 3);
    return 0;
}
