#include "services/Links.h"

#include <QUrlQuery>

namespace {

// A web address with a user part ("http://good.example@evil.example/") is
// refused: read by a person it names the part before the "@", while the
// browser goes to the host after it. No update link needs one.
bool IsPlainWebAddress(const QUrl& url) {
    return !url.host().isEmpty() && url.userInfo().isEmpty();
}

// A mailto link may only fill in the subject and the body of a message: other
// parameters (attach, cc, bcc, ...) would let a server's reply make the mail
// program attach files or copy the message elsewhere.
bool IsPlainMailLink(const QUrl& url) {
    if (url.path().isEmpty() || url.hasFragment())
        return false;
    const QList<std::pair<QString, QString>> parameters =
        QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    return std::all_of(parameters.cbegin(), parameters.cend(), [](const auto& parameter) {
        return parameter.first.compare(QLatin1String("subject"), Qt::CaseInsensitive) == 0 ||
               parameter.first.compare(QLatin1String("body"), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

std::optional<QUrl> OpenableLink(const QString& link) {
    // A reply line ending in CR LF leaves the CR on the link text.
    const QUrl url(link.trimmed(), QUrl::TolerantMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (web && IsPlainWebAddress(url))
        return url;
    if (scheme == QLatin1String("mailto") && IsPlainMailLink(url))
        return url;
    return std::nullopt;
}
