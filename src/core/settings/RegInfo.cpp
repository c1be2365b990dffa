#include "settings/RegInfo.h"

#include "settings/SettingsStore.h"

bool LoadRegInfo(QSettings& store, AppSettings& settings) {
    settings.UTDir = GetSetting(store, Store::Settings, Store::UTDir);
    settings.UTXDir = GetSetting(store, Store::Settings, Store::UTXDir);
    settings.PicView = GetSetting(store, Store::Settings, Store::PicView);
    SaveSetting(store, Store::Settings, Store::Startup, QStringLiteral("True"));
    return settings.UTDir.isEmpty() || settings.UTXDir.isEmpty();
}
