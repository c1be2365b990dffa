#pragma once

#include <QSettings>
#include <QString>

// The per-user settings store of the application "Varnwick": sections are
// QSettings groups, keys are keys, every value is text. A missing key reads
// as the empty text. The store is passed in, so tests can use a private file.
// Saving a value the store holds already, or deleting a section it does not
// have, leaves the file untouched. Saving and deleting return whether the
// store's file holds the change (a store that cannot write keeps it in memory).
QString GetSetting(QSettings& store, const QString& section, const QString& key);
bool SaveSetting(QSettings& store, const QString& section, const QString& key,
                 const QString& value);
bool DeleteSetting(QSettings& store, const QString& section);

// For the user: the settings could not be stored, naming the file.
QString SettingsNotStoredMessage(const QSettings& store);
