#include "services/UpdateCheck.h"

#include "VarnwickVersion.h"
#include "services/Text1252.h"
#include "settings/SettingsStore.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {
constexpr char UserAgent[] = "Varnwick Update Check";

// Asks the system's proxy configuration for this check only, leaving the
// program's other connections (there are none today) as they are.
class SystemProxyFactory final : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        return systemProxyForQuery(query);
    }
};

// The update address may come from the settings; anything but a web address
// (a local file, a data: URL) is not asked.
bool IsWebAddress(const QUrl& address) {
    const QString scheme = address.scheme();
    return address.isValid() && !address.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QNetworkRequest UpdateRequest(const QUrl& address, std::chrono::milliseconds timeout) {
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(UserAgent));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(static_cast<int>(timeout.count()));
    return request;
}

bool HasSuccessStatus(const QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

// The 1-based position of the first `wanted` at or after the 1-based `start`,
// or 0 when there is none (also when `start` lies past the end).
qsizetype Find(QByteArrayView text, qsizetype start, char wanted) {
    if (start < 1 || start > text.size())
        return 0;
    const auto found = std::find(text.begin() + (start - 1), text.end(), wanted);
    return found == text.end() ? 0 : found - text.begin() + 1;
}
} // namespace

QUrl DefaultUpdateAddress() {
    QUrl address;
    address.setScheme(QStringLiteral("http"));
    address.setHost(QUrl(QString::fromUtf8(VarnwickVersion::WebSite)).host());
    address.setPath(QStringLiteral("/cgi-bin/countdown.cgi"));
    address.setQuery(QStringLiteral("update.txt"));
    return address;
}

QUrl UpdateAddress(QSettings* store) {
    const QString configured =
        store ? GetSetting(*store, Store::Settings, Store::UpdateURL).trimmed() : QString();
    return configured.isEmpty() ? DefaultUpdateAddress() : QUrl(configured);
}

std::optional<QByteArray> FetchUpdate(const QUrl& address, std::chrono::milliseconds timeout) {
    if (!IsWebAddress(address))
        return std::nullopt;

    QNetworkAccessManager manager;
    manager.setProxyFactory(new SystemProxyFactory);
    const std::unique_ptr<QNetworkReply> reply(manager.get(UpdateRequest(address, timeout)));

    QByteArray body;
    QEventLoop loop;
    const auto readBody = [&] { body += reply->read(UpdateBuffer::Size - body.size()); };
    // Only the beginning of the reply counts: stop as soon as it is here.
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        readBody();
        if (body.size() == UpdateBuffer::Size)
            loop.quit();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The transfer timeout ends a silent server; the deadline also ends one
    // that keeps trickling bytes.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(timeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    readBody();

    const bool complete = body.size() == UpdateBuffer::Size ||
                          (reply->isFinished() && reply->error() == QNetworkReply::NoError);
    if (!complete || !HasSuccessStatus(*reply))
        return std::nullopt;
    return body;
}

void StoreReply(UpdateBuffer& buffer, QByteArrayView received) {
    const qsizetype count = std::min(received.size(), UpdateBuffer::Size);
    std::copy_n(received.begin(), count, buffer.Bytes.begin());
}

// Each value runs from after the first "=" at or after the line's start to
// before the next line feed. From the third value on, the line feed is looked
// for one position later, so an empty line takes its value from the next one.
// A line feed before the "=" (a line without "=") ends the split.
UpdateInfo SplitUpdate(const UpdateBuffer& buffer) {
    const QByteArrayView text(buffer.Bytes.data(), buffer.Bytes.size());
    UpdateInfo info;
    qsizetype lineStart = 1;
    for (qsizetype k = 0; k < std::ssize(info.Value); ++k) {
        const qsizetype equals = Find(text, lineStart, '=');
        const qsizetype lineEnd = Find(text, k < 2 ? lineStart : lineStart + 1, '\n');
        const qsizetype length = lineEnd - equals - 1;
        if (length < 0)
            break;
        info.Value[k] = FromWindows1252(text.sliced(equals, length));
        lineStart = Find(text, lineStart, '\n') + 1;
    }
    return info;
}

UpdateInfo ReadUpdate(UpdateBuffer& buffer, const QUrl& address,
                      std::chrono::milliseconds timeout) {
    if (const std::optional<QByteArray> received = FetchUpdate(address, timeout))
        StoreReply(buffer, *received);
    return SplitUpdate(buffer);
}
