#pragma once

#include <memory>

class WizardSession;
class frmWizard;
struct AppState;

// Takes the program from launch to the wizard on screen: creates the wizard
// over `session` (hidden, its load step runs), shares its icon, creates the other start-up
// windows, loads the settings (asking for them on a first run) and computes
// TexturesDir. The caller owns the wizard it returns.
std::unique_ptr<frmWizard> Main(WizardSession& session, AppState& state);

// Loads UTDir, UTXDir and PicView from the store. When a folder is missing and
// the settings window is not up yet, the settings window is shown modally
// first. Then the wizard is shown, centred, unless it is already on screen.
void GetRegInfo(AppState& state);
