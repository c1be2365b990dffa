#include "shell/Startup.h"

#include "engine/FilterList.h"
#include "services/DataFiles.h"
#include "services/Dialogs.h"
#include "settings/GameFolders.h"
#include "settings/RegInfo.h"
#include "settings/SettingsStore.h"
#include "settings/frmSettings.h"
#include "shell/AppState.h"
#include "shell/MenuCommands.h"
#include "wizard/frmWizard.h"

namespace {

bool SettingsWindowOpen(const AppState& state) {
    return state.settingsWindow && state.settingsWindow->isVisible();
}

// A filter list that cannot be used is told before anything is filtered with it.
void TellUnusableFilterList(AppState& state) {
    const QString problem = FilterListProblem(state.programDir, QLatin1String(FilterFileName));
    if (!problem.isEmpty())
        state.dialogs->message(problem, QStringLiteral("Filter List"), Dialogs::Buttons::Ok);
}

} // namespace

std::unique_ptr<frmWizard> Main(WizardSession& session, AppState& state) {
    auto wizard = std::make_unique<frmWizard>(session, state);
    state.wizard = wizard.get();
    state.AppIcon = wizard->windowIcon();
    ConnectMenuCommands(*wizard, state);
    CreateStartupWindows(state);
    TellUnusableFilterList(state);
    GetRegInfo(state);
    state.settings.TexturesDir = TexturesDirFor(state.settings.UTDir);
    return wizard;
}

void GetRegInfo(AppState& state) {
    const bool settingsNeeded = LoadRegInfo(*state.store, state.settings);
    if (settingsNeeded && !SettingsWindowOpen(state))
        ShowSettingsModal(state);
    if (state.wizard && !state.wizard->isVisible())
        state.wizard->showCentred();
}
