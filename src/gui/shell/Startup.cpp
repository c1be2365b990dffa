#include "shell/Startup.h"

#include "engine/FilterList.h"
#include "services/Dialogs.h"
#include "settings/GameFolders.h"
#include "settings/RegInfo.h"
#include "settings/SettingsStore.h"
#include "settings/frmSettings.h"
#include "shell/AppState.h"
#include "shell/MenuCommands.h"
#include "widgets/WidgetGeometry.h"
#include "wizard/frmWizard.h"

namespace {

bool SettingsWindowOpen(const AppState& state) {
    return state.settingsWindow && state.settingsWindow->isVisible();
}

// A filter list that cannot be used is told before anything is filtered with it.
void TellUnusableFilterList(AppState& state) {
    const QString problem = FilterListProblem(state.programDir, QStringLiteral("unreal.flt"));
    if (!problem.isEmpty())
        state.dialogs->message(problem, QStringLiteral("Filter List"), Dialogs::Buttons::Ok);
}

} // namespace

std::unique_ptr<frmWizard> Main(WizardSession& session, AppState& state) {
    auto wizard = std::make_unique<frmWizard>(session, state);
    state.wizard = wizard.get();
    state.AppIcon = wizard->windowIcon();
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
    const bool modalSettings = SettingsWindowOpen(state) && state.settingsWindow->isModal();
    if (state.wizard && !state.wizard->isVisible() && !modalSettings)
        state.wizard->showCentred();
}

void SaveWindowPos(AppState& state, const QWidget* window) {
    if (!window || window != state.wizard || state.WindowPosReset)
        return;
    const QRect outer = window->frameGeometry();
    const auto twips = [](int pixels) { return QString::number(pixels * TwipsPerPixel); };
    const QString section = Store::WindowPos;
    SaveSetting(*state.store, section, Store::WizTop, twips(outer.top()));
    SaveSetting(*state.store, section, Store::WizLeft, twips(outer.left()));
    SaveSetting(*state.store, section, Store::WizWidth, twips(outer.width()));
    SaveSetting(*state.store, section, Store::WizHeight, twips(outer.height()));
}

void ShutItDown(AppState& state) {
    if (state.endProcess)
        state.endProcess();
}
