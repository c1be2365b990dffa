#include "services/Links.h"

std::optional<QUrl> OpenableLink(const QString& link) {
    // A reply line ending in CR LF leaves the CR on the link text.
    const QUrl url(link.trimmed(), QUrl::TolerantMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (web && !url.host().isEmpty())
        return url;
    if (scheme == QLatin1String("mailto") && !url.path().isEmpty())
        return url;
    return std::nullopt;
}
