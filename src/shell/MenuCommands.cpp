#include "shell/MenuCommands.h"

#include "shell/AppState.h"

// The settings, editor, tutorial and About windows are not built yet; until
// they are, their commands open nothing.
void CreateStartupWindows(AppState&) {}
void ShowSettingsModal(AppState&) {}
void mnuSettings_Click(AppState&) {}
void mnuEditTypes_Click(AppState&) {}
void mnuEditFilter_Click(AppState&) {}
void mnuTutorial_Click(AppState&) {}
void mnuAbout_Click(AppState&) {}
