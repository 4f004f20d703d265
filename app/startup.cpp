#include "app/startup.h"

#include <commctrl.h>

#include <cstdlib>
#include <initializer_list>

#include "about/about.h"
#include "app/apply_layout.h"
#include "app/gamepad.h"
#include "app/main_window.h"
#include "app/shell_state.h"
#include "app/system_libraries.h"
#include "game/figure.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/host.h"
#include "game/turn.h"
#include "settings/settings.h"
#include "settings/store.h"

void StartUp() {
    std::srand(GetTickCount());

    // Zeroed, as a fresh record is; allocated like the others with the C runtime (see WinMain).
    settings = static_cast<Settings*>(std::calloc(1, sizeof(Settings)));
    if (settings == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    LoadSettings(settings);
    glass = static_cast<Glass*>(std::malloc(sizeof(Glass)));
    figure = static_cast<Figure*>(std::calloc(1, sizeof(Figure)));
    if (glass == nullptr || figure == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }

    // The Options dialog's up-down controls come from the common controls.
    const auto initCommonControls = SystemFunctionOf<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(
        "comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX commonControls = {sizeof commonControls, ICC_UPDOWN_CLASS};
    if (!initCommonControls(&commonControls)) {
        RuntimeAssert("Droppa", __LINE__);
    }
    CreateMainWindow();
    SetUpCredits();
    nextRotation = 0;
    nextKind = 0;
    score = 0;
    // Emptied and flagged before the window first shows, so the first paint draws every cell.
    Clear();
    LayoutWindow();
    UpdateScorePanel();
    for (HWND control : {resetButton, pauseButton, scorePanel}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), TRUE);
    }
    FindPads();
}

int RunProgram() {
    if (IsUninstallSwitch(appInstance->commandLine)) {
        Uninstall();
        return 0;
    }
    StartUp();
    for (;;) {
        PlayGame();
    }
}
