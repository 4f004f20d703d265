// The platform side of the rules' seam, over the main window.
#include <windows.h>

#include <cstdlib>

#include "app/main_window.h"
#include "app/startup.h"
#include "game/host.h"
#include "resources/resource_ids.h"
#include "settings/hiscore_dialogs.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {
constexpr UINT_PTR FallTimer = 1;
}

void SetFallTimer(int period) {
    // A restarted timer delivers no tick of its previous period.
    KillTimer(mainWindow, FallTimer);
    if (SetTimer(mainWindow, FallTimer, static_cast<UINT>(period), nullptr) == 0) {
        RuntimeAssert("Droppa", __LINE__);
    }
}

void StopFallTimer() {
    KillTimer(mainWindow, FallTimer);
}

void RequestGlassRepaint() {
    // Without erasing: the paint handler draws only the flagged cells over what is there.
    InvalidateRect(mainWindow, nullptr, FALSE);
}

void RequestPreviewRepaint() {
    InvalidateRect(previewPanel, nullptr, FALSE);
}

void ShowPauseLabel(bool userPaused) {
    SetWindowTextA(pauseButton, userPaused ? unpauseLabel : pauseLabel);
}

void FocusMainWindow() {
    SetFocus(mainWindow);
}

bool AskResetQuestion() {
    return MessageBoxA(mainWindow, "Do You really want to begin new game?", "Reset game",
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void RunHiScoreEntry() {
    DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_HISCORES), mainWindow,
                    HiScoresDlgProc, 1);
}

void SaveSettingsAndExit() {
    SaveSettings(settings);
    std::free(settings);
    settings = nullptr;
    ExitProcess(0);
}
