#pragma once

#include "CliOptions.h"
#include "CliStatus.h"

#include <QString>

// --check: checks each package's .int text (the one the program would write,
// the --int file, or the installed one) the way the game reads it, and prints
// the findings and the player setup menu's listing. Every package is tried;
// CheckErrors when an error was found, or the worst failure.
CliStatus RunCheck(const CliOptions& options, const QString& dataDir);
