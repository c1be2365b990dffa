#pragma once

#include "CliOptions.h"
#include "CliStatus.h"

#include <QString>

// Carries out the command line with the data files of `dataDir`: lists the
// types, or takes every package along the wizard's path and writes its text.
// Every package is tried; the worst status is returned.
CliStatus RunCli(const CliOptions& options, const QString& dataDir);
