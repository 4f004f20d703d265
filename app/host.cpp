// The platform side of the rules' seam, over the main window.
#include <windows.h>

#include <cstdlib>

#include "app/shell_state.h"
#include "app/system_libraries.h"
#include "game/host.h"
#include "resources/resource_ids.h"
#include "settings/hiscore_dialogs.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

constexpr UINT_PTR FallTimer = 1;

// Whether this program's request for the finest timer resolution stands.
bool fineTimerHeld = false;

} // namespace

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

void HoldFineTimer(bool hold) {
    if (hold == fineTimerHeld) {
        return;
    }
    // Windows runs its timers at about 15.6 ms unless a program asks for finer ones: a fall of
    // 130 ms would take 141. Each request is given back once, and only one that was granted.
    // winmm is no known DLL: looked up in the system folder at each change, which is rare.
    using PeriodCall = UINT(WINAPI*)(UINT);
    const auto call = OptionalSystemFunctionOf<PeriodCall>("winmm.dll", hold ? "timeBeginPeriod"
                                                                             : "timeEndPeriod");
    if (call != nullptr && (call(1) == TIMERR_NOERROR || !hold)) {
        fineTimerHeld = hold;
    }
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
    HoldFineTimer(false);
    SaveSettings(settings);
    std::free(settings);
    settings = nullptr;
    ExitProcess(0);
}
