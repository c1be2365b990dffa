#pragma once

#include "CliStatus.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// Writes each package's text where the command line asks, never replacing a
// file unless told to, and never one written earlier in the same run.
class CliOutput {
public:
    explicit CliOutput(bool force) : force_(force) {}

    // Writes `bytes` to standard output.
    CliStatus toStandardOutput(const QByteArray& bytes, QString* error);

    // Writes `bytes` for `package` to the file `target`, atomically.
    CliStatus toFile(const QString& target, const QString& package, const QByteArray& bytes,
                     QString* error);

private:
    bool force_;
    QMap<QString, QString> written_; // target written in this run -> its package
};

// DIR/<short name>.int for a package, the name the wizard proposes; empty
// when the package's file name gives no short name.
QString IntFileIn(const QString& dir, const QString& package);
