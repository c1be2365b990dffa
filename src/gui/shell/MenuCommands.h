#pragma once

class frmSettings;
class frmWizard;
struct AppState;

// Connects the wizard's menu entries for the other windows to the commands
// below.
void ConnectMenuCommands(frmWizard& wizard, AppState& state);

// A settings window whose outcome the program acts on: OK loads the stored
// settings again, Restore Default Settings keeps the placement from being
// stored in this run, and every close enables the wizard again.
frmSettings* NewSettingsWindow(AppState& state);

// The windows Main creates hidden at start-up, so that their load steps run
// then: the settings window, the tutorial and About.
void CreateStartupWindows(AppState& state);

// The settings window shown modally by GetRegInfo on a first run; returns
// when it has closed.
void ShowSettingsModal(AppState& state);

// The wizard's menu entries.
void mnuSettings_Click(AppState& state);   // "&Settings": wizard disabled meanwhile
void mnuEditTypes_Click(AppState& state);  // "Edit &Types": modal, at the wizard's corner
void mnuEditFilter_Click(AppState& state); // "Edit &Filter": modal, against its left edge
void mnuTutorial_Click(AppState& state);   // "&Tutorial": one window, brought forward
void mnuAbout_Click(AppState& state);      // "&About": modal
