#pragma once

#include <QString>
#include <QUrl>
#include <optional>

// The address a link text stands for, when it is one the program may hand to
// the user's browser or mail program: an http or https address with a host,
// or a mailto link with an address. Anything else (a local file, a bare path,
// a program, another scheme) is refused, since link texts can come from the
// update server.
std::optional<QUrl> OpenableLink(const QString& link);
