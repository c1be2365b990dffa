#pragma once

struct AppState;

// The windows Main creates hidden at start-up, so that their load steps run
// then: the directory picker, the settings window, the tutorial and About.
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
