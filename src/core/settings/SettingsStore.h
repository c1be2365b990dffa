#pragma once

#include <QLatin1String>
#include <QSettings>
#include <QString>

// Every section and key the program keeps in the store.
namespace Store {
inline constexpr QLatin1String Settings("Settings"); // section
inline constexpr QLatin1String UTDir("UTDir");
inline constexpr QLatin1String UTXDir("UTXDir");
inline constexpr QLatin1String PicView("PicView");
inline constexpr QLatin1String Startup("Startup");
inline constexpr QLatin1String Splash("Splash");
inline constexpr QLatin1String UpdateURL("UpdateURL");
inline constexpr QLatin1String Company("Company");     // section and its one key
inline constexpr QLatin1String WindowPos("WindowPos"); // section
inline constexpr QLatin1String WizTop("WizTop");
inline constexpr QLatin1String WizLeft("WizLeft");
inline constexpr QLatin1String WizWidth("WizWidth");
inline constexpr QLatin1String WizHeight("WizHeight");
inline constexpr QLatin1String PreviewGeometry("PreviewGeometry"); // the preview window's placement
} // namespace Store

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
