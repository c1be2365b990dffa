#pragma once

#include <QString>
#include <functional>

class frmWizard;

// The whole program: the application object, the settings store, the dialogs,
// the state, start-up (Main) and the event loop until the wizard closes.
// `package`, when given, is opened in step one once the wizard is on screen,
// as if chosen in the open dialog. `started`, when given, sees the wizard once
// start-up has shown it (the start-up benchmark watches it paint). Returns the
// process's exit status.
int RunProgram(int& argc, char** argv, const QString& package = {},
               const std::function<void(frmWizard&)>& started = {});
