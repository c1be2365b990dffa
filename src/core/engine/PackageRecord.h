#pragma once

#include <QString>
#include <QStringList>

// A package as the program sees it: its file name and the names of its name
// table, lower-cased. `PackageRead` holds a package as read, `PackageItems`
// its filtered, sorted copy.
struct PackageRecord {
    QString FileName;    // file name without folder, with extension
    QString PackageName; // FileName less its last four characters
    qint32 NameCount = 0;
    QStringList Names;

    friend bool operator==(const PackageRecord&, const PackageRecord&) = default;
};

// What one opening of a package produces and the later steps read.
struct PackageSession {
    QString UTXPath;            // full path of the package opened last
    PackageRecord PackageRead;  // as read
    PackageRecord PackageItems; // filtered and sorted: the found items
    QStringList FilterList;     // filter entries plus the package slot; empty until loaded
};
