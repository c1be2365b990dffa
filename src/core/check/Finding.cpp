#include "check/Finding.h"

#include <QStringList>

namespace {

QString Counted(qsizetype count, const char* singular) {
    return QStringLiteral("%1 %2%3")
        .arg(count)
        .arg(QLatin1String(singular))
        .arg(count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

QString SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("error");
    case Severity::Warning:
        return QStringLiteral("warning");
    case Severity::Note:
        break;
    }
    return QStringLiteral("note");
}

QString FindingsSummary(const QList<Finding>& findings) {
    if (findings.isEmpty())
        return QStringLiteral("No problems found");
    QStringList parts;
    for (Severity severity : {Severity::Error, Severity::Warning, Severity::Note}) {
        const qsizetype count =
            std::count_if(findings.cbegin(), findings.cend(),
                          [severity](const Finding& f) { return f.severity == severity; });
        if (count > 0)
            parts.append(Counted(count, qPrintable(SeverityName(severity))));
    }
    return parts.join(QStringLiteral(", "));
}
