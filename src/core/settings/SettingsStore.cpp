#include "settings/SettingsStore.h"

#include "settings/SettingsFile.h"

namespace {
QString StoreKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}
} // namespace

QString GetSetting(QSettings& store, const QString& section, const QString& key) {
    return store.value(StoreKey(section, key)).toString();
}

// Writes reach the disk at once: the program ends straight after storing the
// window placement, without returning to an event loop that would sync later.
bool SaveSetting(QSettings& store, const QString& section, const QString& key,
                 const QString& value) {
    const QString storeKey = StoreKey(section, key);
    if (!store.contains(storeKey) || store.value(storeKey).toString() != value) {
        store.setValue(storeKey, value);
        store.sync();
    }
    return store.status() == QSettings::NoError;
}

bool DeleteSetting(QSettings& store, const QString& section) {
    // QSettings reads an empty group name as "everything".
    if (!section.isEmpty() && store.childGroups().contains(section)) {
        store.remove(section);
        store.sync();
    }
    return store.status() == QSettings::NoError;
}

QString SettingsNotStoredMessage(const QSettings& store) {
    return QStringLiteral("The settings could not be stored in %1; they hold for this run only.")
        .arg(SettingsFilePath(store));
}
