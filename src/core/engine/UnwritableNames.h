#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// A name taken out of the .int text, and why, in a few words.
struct LeftOutName {
    QString name;
    QString reason;

    friend bool operator==(const LeftOutName&, const LeftOutName&) = default;
};

// Why `name` can never stand in an .int line; empty when it can. A line end
// or another control character would break the line or hide in it, and `"`,
// `,`, `(`, `)` or `=` would end the name or its Object=(...) entry early, so
// that the rest of the name could add keys, lines or whole sections.
QString UnwritableNameReason(QStringView name);

// Takes the names that can never be .int lines out of `names`, keeping the
// order of both.
QList<LeftOutName> TakeUnwritableNames(QStringList& names);

// `name` fit to show on one line: control characters as \r, \n, \t or \xNN.
QString PrintableName(QStringView name);
