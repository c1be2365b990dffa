#pragma once

#include "settings/RegInfo.h"
#include "widgets/ThumbnailLoader.h"

#include <QString>
#include <functional>

class Dialogs;
class QSettings;
class clsCdlg;

// What the wizard and the preview use from the program around them. The
// program fills it once; the settings window's OK reloads `settings`.
struct WindowContext {
    QString programDir;         // where SkinFormats.ini, unreal.flt and tutorial.txt live
    QSettings* store = nullptr; // the per-user settings store
    Dialogs* dialogs = nullptr; // message boxes and file dialogs
    clsCdlg* cdlg = nullptr;    // the shared file dialog wrapper

    AppSettings settings; // UTDir, UTXDir, PicView, TexturesDir
    // Set by Restore Default Settings: closing the windows in this run must
    // not write their placement back.
    bool WindowPosReset = false;
    // Ends the process when the wizard closes. main() quits the event loop
    // here; tests record the call instead.
    std::function<void()> endProcess;
    // Decodes the textures pictured in step four and the preview; empty for
    // the package model's own decoder. Tests slow it down to act mid-decode.
    TopMipDecoder decodeTopMip;
    // Step four pictures its textures; the benchmark compares with it off.
    bool reviewPictures = true;
};
