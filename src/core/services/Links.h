#pragma once

#include <QString>
#include <QUrl>
#include <optional>

// The address a link text stands for, when it is one the program may hand to
// the user's browser or mail program: an http or https address with a host
// and no user part, or a mailto link with an address and at most a subject
// and a body. Anything else (a local file, a bare path, a program, another
// scheme, a mail parameter such as attach) is refused, since link texts can
// come from the update server.
std::optional<QUrl> OpenableLink(const QString& link);
