#include "settings/SettingsStore.h"

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
void SaveSetting(QSettings& store, const QString& section, const QString& key,
                 const QString& value) {
    store.setValue(StoreKey(section, key), value);
    store.sync();
}

void DeleteSetting(QSettings& store, const QString& section) {
    // QSettings reads an empty group name as "everything".
    if (section.isEmpty())
        return;
    store.remove(section);
    store.sync();
}
