#include "shell/MenuCommands.h"

#include "about/frmAbout.h"
#include "editors/frmEditFilter.h"
#include "editors/frmEditTypes.h"
#include "settings/frmBrowse.h"
#include "settings/frmSettings.h"
#include "shell/AppState.h"
#include "tutorial/frmTutorial.h"
#include "wizard/frmWizard.h"

namespace {

// At most one settings window exists; the one created at start-up is shown
// first, later openings create it afresh.
frmSettings* SettingsWindow(AppState& state) {
    if (!state.settingsWindow)
        state.settingsWindow = new frmSettings(state);
    return state.settingsWindow;
}

// A window's frame is known only once it is on screen; until then the frame
// of `shown`, drawn by the same window manager, stands in for it.
int OuterWidth(const QWidget& window, const QWidget& shown) {
    return window.width() + shown.frameGeometry().width() - shown.width();
}

void BringForward(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

// Each window takes AppIcon as it is created.
void CreateStartupWindows(AppState& state) {
    state.browse = new frmBrowse(state);
    state.settingsWindow = new frmSettings(state);
    state.tutorial = new frmTutorial(state);
    state.about = new frmAbout(state);
}

void ShowSettingsModal(AppState& state) {
    SettingsWindow(state)->exec();
}

// The settings window enables the wizard again when it closes.
void mnuSettings_Click(AppState& state) {
    if (state.wizard)
        state.wizard->setEnabled(false);
    BringForward(*SettingsWindow(state));
}

void mnuEditTypes_Click(AppState& state) {
    frmEditTypes editor(state, state.wizard);
    if (state.wizard)
        editor.move(state.wizard->frameGeometry().topLeft());
    editor.exec();
}

// The editor's right edge meets the wizard's left edge, on screen or not.
void mnuEditFilter_Click(AppState& state) {
    frmEditFilter editor(state, state.wizard);
    if (state.wizard) {
        const QRect wizard = state.wizard->frameGeometry();
        editor.move(wizard.left() - OuterWidth(editor, *state.wizard), wizard.top());
    }
    editor.exec();
}

void mnuTutorial_Click(AppState& state) {
    if (!state.tutorial)
        state.tutorial = new frmTutorial(state);
    state.tutorial->setWindowTitle(QStringLiteral("Tutorial"));
    BringForward(*state.tutorial);
}

void mnuAbout_Click(AppState& state) {
    if (!state.about)
        state.about = new frmAbout(state, state.wizard);
    else if (state.wizard && state.about->parentWidget() != state.wizard)
        state.about->setParent(state.wizard, state.about->windowFlags());
    state.about->exec();
}
