#pragma once

#include "CliOptions.h"
#include "CliStatus.h"
#include "check/SkinCheck.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// One package taken along the wizard's path without user changes, except for
// the type and the removals the command line asks for.
struct PackageOutcome {
    CliStatus status = CliStatus::Done;
    QString error;        // why the package failed; empty when it did not
    QStringList warnings; // worth telling, but the text was made
    QStringList names;    // the reviewed list: found names less the removals
    QByteArray intText;   // the .int file's bytes (Windows-1252)
    QString typeKey;      // the catalogue key of the skin type used; empty when none
    std::shared_ptr<const PackageContents> contents; // the package's objects, when readable
};

// Tells the outcome's warnings and error on standard error and folds its
// status into `worst`; whether the package was read and can be worked on.
bool ReportOutcome(const PackageOutcome& outcome, CliStatus& worst);

PackageOutcome RunPackage(const QString& path, const CliOptions& options, const QString& dataDir);
