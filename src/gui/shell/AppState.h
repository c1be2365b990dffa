#pragma once

#include "services/UpdateCheck.h"
#include "widgets/WindowContext.h"

#include <QIcon>
#include <QPointer>

class frmWizard;
class frmSettings;
class frmTutorial;
class frmAbout;

// The program-wide values, created by main(): what the wizard is given, and
// what only the program's shell uses to run the other windows. Tests create
// fresh ones.
struct AppState : WindowContext {
    QIcon AppIcon;
    UpdateBuffer updateBuffer; // the update check's receive buffer, kept for the whole run

    // The windows besides the wizard; each lives until it is closed.
    QPointer<frmWizard> wizard;
    QPointer<frmSettings> settingsWindow;
    QPointer<frmTutorial> tutorial;
    QPointer<frmAbout> about;
};
