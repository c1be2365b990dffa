#pragma once

#include <QSettings>
#include <QString>

// The settings the program keeps in memory for the whole run.
struct AppSettings {
    QString UTDir;       // the game folder
    QString UTXDir;      // the package storage folder; only tested for emptiness
    QString PicView;     // stored, never acted on
    QString TexturesDir; // the game's Textures folder, computed once at start-up
};

// The store-reading half of GetRegInfo: loads UTDir, UTXDir and PicView,
// stores "True" under "Startup" (unless it is there), and returns true when either folder is empty,
// that is when the settings window must be shown before the wizard.
bool LoadRegInfo(QSettings& store, AppSettings& settings);
