#include "services/AboutInfo.h"

#include "VarnwickVersion.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
constexpr char LineBreak[] = "\r\n";
}

QString RunningVersion() {
    return QStringLiteral("%1.%2%3")
        .arg(VarnwickVersion::Major)
        .arg(VarnwickVersion::Minor)
        .arg(VarnwickVersion::Revision);
}

QString AboutText() {
    return QStringLiteral("Program Name:") + QString::fromUtf8(VarnwickVersion::Product) +
           QLatin1String(LineBreak) + QStringLiteral("Company: ") +
           QString::fromUtf8(VarnwickVersion::Company) + QLatin1String(LineBreak) +
           QStringLiteral("WebSite: ") + QString::fromUtf8(VarnwickVersion::WebSite) +
           QLatin1String(LineBreak) + QStringLiteral("Version: ") + RunningVersion();
}

QString NewestVersionLine(const QString& newestVersion) {
    return QLatin1String(LineBreak) + QStringLiteral("Newest Version:") + newestVersion;
}

QString CommentsLink() {
    return QStringLiteral("mailto:") + QString::fromUtf8(VarnwickVersion::MailAddress) +
           QStringLiteral("?subject=Varnwick Comments");
}

QString CommentsCaption() {
    return QStringLiteral("Comments: ") + QString::fromUtf8(VarnwickVersion::MailAddress);
}

double VersionNumber(QStringView text) {
    static const QRegularExpression leadingNumber(
        QStringLiteral(R"(^[ \t]*([+-]?(?:[0-9]+(?:\.[0-9]*)?|\.[0-9]+)))"));
    const QRegularExpressionMatch match = leadingNumber.match(text.toString());
    if (!match.hasMatch())
        return 0.0;
    // Very long digit runs overflow to infinity, which still compares sensibly.
    return QLocale::c().toDouble(match.capturedView(1));
}

bool IsNewerVersion(QStringView running, QStringView offered) {
    return VersionNumber(running) < VersionNumber(offered);
}
