#include "shell/MenuCommands.h"

#include "about/frmAbout.h"
#include "editors/frmEditFilter.h"
#include "editors/frmEditTypes.h"
#include "settings/RegInfo.h"
#include "settings/frmSettings.h"
#include "shell/AppState.h"
#include "tutorial/frmTutorial.h"
#include "wizard/frmWizard.h"

#include <QAction>
#include <utility>

namespace {} // namespace

frmSettings* NewSettingsWindow(AppState& state) {
    auto* window = new frmSettings(*state.store, *state.dialogs, state.AppIcon);
    QObject::connect(window, &QDialog::accepted, window,
                     [&state] { LoadRegInfo(*state.store, state.settings); });
    QObject::connect(window, &QDialog::finished, window, [&state] {
        if (state.wizard)
            state.wizard->setEnabled(true);
    });
    QObject::connect(window, &frmSettings::placementReset, window,
                     [&state] { state.WindowPosReset = true; });
    return window;
}

namespace {

// At most one settings window exists; the one created at start-up is shown
// first, later openings create it afresh.
frmSettings* SettingsWindow(AppState& state) {
    if (!state.settingsWindow)
        state.settingsWindow = NewSettingsWindow(state);
    return state.settingsWindow;
}

// A window's frame is known only once it is on screen; until then the frame
// of `shown`, drawn by the same window manager, stands in for it.
int OuterWidth(const QWidget& window, const QWidget& shown) {
    return window.width() + shown.frameGeometry().width() - shown.width();
}

frmTutorial* NewTutorialWindow(const AppState& state) {
    return new frmTutorial(state.programDir, state.AppIcon);
}

frmAbout* NewAboutWindow(AppState& state, QWidget* owner) {
    return new frmAbout(*state.store, state.updateBuffer, state.AppIcon, owner);
}

void BringForward(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

void ConnectMenuCommands(frmWizard& wizard, AppState& state) {
    const std::pair<QAction*, void (*)(AppState&)> commands[] = {
        {wizard.mnuSettings, mnuSettings_Click},
        {wizard.mnuEditTypes, mnuEditTypes_Click},
        {wizard.mnuEditFilter, mnuEditFilter_Click},
        {wizard.mnuTutorial, mnuTutorial_Click},
        {wizard.mnuAbout, mnuAbout_Click}};
    for (const auto& [action, command] : commands)
        QObject::connect(action, &QAction::triggered, &wizard,
                         [&state, command = command] { command(state); });
}

// Each window takes AppIcon as it is created.
void CreateStartupWindows(AppState& state) {
    state.settingsWindow = NewSettingsWindow(state);
    state.tutorial = NewTutorialWindow(state);
    state.about = NewAboutWindow(state, nullptr);
}

void ShowSettingsModal(AppState& state) {
    SettingsWindow(state)->exec();
}

// The wizard is enabled again when the settings window closes.
void mnuSettings_Click(AppState& state) {
    if (state.wizard)
        state.wizard->setEnabled(false);
    BringForward(*SettingsWindow(state));
}

void mnuEditTypes_Click(AppState& state) {
    frmEditTypes editor(state.programDir, *state.dialogs, state.wizard);
    if (state.wizard)
        editor.move(state.wizard->frameGeometry().topLeft());
    editor.exec();
}

// The editor's right edge meets the wizard's left edge, on screen or not.
void mnuEditFilter_Click(AppState& state) {
    frmEditFilter editor(state.programDir, *state.dialogs, state.wizard);
    if (state.wizard) {
        const QRect wizard = state.wizard->frameGeometry();
        editor.move(wizard.left() - OuterWidth(editor, *state.wizard), wizard.top());
    }
    editor.exec();
}

void mnuTutorial_Click(AppState& state) {
    if (!state.tutorial)
        state.tutorial = NewTutorialWindow(state);
    state.tutorial->setWindowTitle(QStringLiteral("Tutorial"));
    BringForward(*state.tutorial);
}

void mnuAbout_Click(AppState& state) {
    if (!state.about)
        state.about = NewAboutWindow(state, state.wizard);
    else if (state.wizard && state.about->parentWidget() != state.wizard)
        state.about->setParent(state.wizard, state.about->windowFlags());
    state.about->exec();
}
