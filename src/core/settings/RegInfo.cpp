#include "settings/RegInfo.h"

#include "settings/SettingsStore.h"

namespace {
const QString Section = QStringLiteral("Settings");
}

bool LoadRegInfo(QSettings& store, AppSettings& settings) {
    settings.UTDir = GetSetting(store, Section, QStringLiteral("UTDir"));
    settings.UTXDir = GetSetting(store, Section, QStringLiteral("UTXDir"));
    settings.PicView = GetSetting(store, Section, QStringLiteral("PicView"));
    SaveSetting(store, Section, QStringLiteral("Startup"), QStringLiteral("True"));
    return settings.UTDir.isEmpty() || settings.UTXDir.isEmpty();
}
