#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QUrl>
#include <array>
#include <chrono>
#include <optional>

// What the maker's server says about the newest version: the values of the
// first seven key=value lines of its reply, in order. Value 1 is the newest
// version as a decimal number, value 6 a link target and value 7 its caption;
// values 2 to 5 are carried along unused.
struct UpdateInfo {
    std::array<QString, 7> Value;

    const QString& NewestVersion() const { return Value[0]; }
    const QString& LinkTarget() const { return Value[5]; }
    const QString& LinkCaption() const { return Value[6]; }
};

// The receive buffer of the update check. It starts as NUL bytes, and each
// reply overwrites only its beginning: a reply shorter than an earlier one
// leaves that one's tail in place, and a check that receives nothing splits
// the previous reply again. Whoever checks keeps one for as long as checks
// should share it.
struct UpdateBuffer {
    static constexpr qsizetype Size = 1024;
    std::array<char, Size> Bytes{};
};

// How long a check may take before it counts as unanswered.
inline constexpr std::chrono::milliseconds UpdateTimeout{10000};

// http://<maker's host>/cgi-bin/countdown.cgi?update.txt
QUrl DefaultUpdateAddress();

// The address to ask: the setting "UpdateURL" of section "Settings" when it is
// set, else the default. `store` may be null (no settings: the default).
QUrl UpdateAddress(QSettings* store);

// The body of an HTTP GET of `address` (at most UpdateBuffer::Size bytes), or
// nothing when the server cannot be reached, answers with an error status,
// the address is not http(s), or the reply does not arrive within `timeout`.
// Waits in a local event loop that repaints but holds back user input.
std::optional<QByteArray> FetchUpdate(const QUrl& address, std::chrono::milliseconds timeout);

// Overwrites the beginning of the buffer with what was received (at most the
// buffer's size); the rest keeps its earlier contents.
void StoreReply(UpdateBuffer& buffer, QByteArrayView received);

// Splits the whole buffer into the seven values. A line that cannot be split
// ends the split quietly: the values read so far are kept, the rest are empty.
UpdateInfo SplitUpdate(const UpdateBuffer& buffer);

// Fetches the update reply into `buffer` and splits it.
UpdateInfo ReadUpdate(UpdateBuffer& buffer, const QUrl& address,
                      std::chrono::milliseconds timeout = UpdateTimeout);
