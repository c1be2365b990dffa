#pragma once

#include <QSettings>
#include <QString>

// The per-user settings store of the application "Varnwick": sections are
// QSettings groups, keys are keys, every value is text. A missing key reads
// as the empty text. The store is passed in, so tests can use a private file.
QString GetSetting(QSettings& store, const QString& section, const QString& key);
void SaveSetting(QSettings& store, const QString& section, const QString& key,
                 const QString& value);
void DeleteSetting(QSettings& store, const QString& section);
