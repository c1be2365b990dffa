#pragma once

#include <QString>

// Hands a web or mail link to the user's browser or mail program without
// waiting for it. Returns whether the link was handed on: false for a link
// the program does not open (see OpenableLink) and when the desktop has no
// handler for it.
bool OpenLink(const QString& link);
