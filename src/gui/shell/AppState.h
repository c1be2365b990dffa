#pragma once

#include "services/UpdateCheck.h"
#include "settings/RegInfo.h"
#include "wizard/ThumbnailLoader.h"

#include <QIcon>
#include <QPointer>
#include <QSettings>
#include <QString>
#include <functional>

class Dialogs;
class clsCdlg;
class frmWizard;
class frmBrowse;
class frmSettings;
class frmTutorial;
class frmAbout;
class frmPreview;

// The program-wide values, created by main() and handed by reference to the
// windows and routines that use them. Tests create fresh ones.
struct AppState {
    QString programDir;         // where SkinFormats.ini, unreal.flt and tutorial.txt live
    QSettings* store = nullptr; // the per-user settings store
    Dialogs* dialogs = nullptr; // message boxes and file dialogs
    clsCdlg* cdlg = nullptr;    // the shared file dialog wrapper

    AppSettings settings; // UTDir, UTXDir, PicView, TexturesDir
    bool WindowPosReset = false;
    QString BrowseResult; // the folder chosen in the directory picker last; empty when cancelled
    QIcon AppIcon;
    UpdateBuffer updateBuffer; // the update check's receive buffer, kept for the whole run
    // Ends the process when the wizard closes (ShutItDown). main() quits the
    // event loop here; tests record the call instead.
    std::function<void()> endProcess;
    // Decodes the textures pictured in step four and the preview; empty for
    // the package model's own decoder. Tests slow it down to act mid-decode.
    TopMipDecoder decodeTopMip;
    // Step four pictures its textures; the benchmark compares with it off.
    bool reviewPictures = true;

    // The windows besides the wizard; each lives until it is closed.
    QPointer<frmWizard> wizard;
    QPointer<frmBrowse> browse;
    QPointer<frmSettings> settingsWindow;
    QPointer<frmTutorial> tutorial;
    QPointer<frmAbout> about;
    QPointer<frmPreview> preview; // created when first asked for
};
