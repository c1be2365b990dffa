#pragma once

#include "check/Finding.h"

#include <QList>
#include <QString>
#include <QStringView>

// One Object= entry of an .int file's [Public] section, read the way the game
// reads it.
struct IntEntry {
    int line = 0;        // 1-based line of the text
    QString object;      // Name=: Package.Object or Package.Group.Object
    QString className;   // Class=
    QString description; // Description=, as far as the game reads it
    bool isTexture() const {
        return className.compare(QLatin1String("Texture"), Qt::CaseInsensitive) == 0;
    }
};

// The text before the first dot of an object name: its package.
QString PackageOf(const QString& object);
// The text after the last dot: the object's own name (the game's GetItemName).
QString ItemOf(const QString& object);
// The object name without its own name: "Package." or "Package.Group.".
QString PathOf(const QString& object);

// The entries of an .int text, and what in the text the game cannot read as
// meant (unreadable lines, entries outside [Public], cut descriptions, ...).
struct IntReading {
    QList<IntEntry> entries;
    QList<Finding> findings;
};
IntReading ReadIntText(QStringView text);
