#pragma once

#include <QString>

// The folder whose SkinFormats.ini and unreal.flt the wizard would use: the
// program's own folder when it holds the data files, otherwise the user's
// data folder, filled from the installed defaults where files are missing.
QString DefaultDataFolder();
