#include "app/desktop_pause.h"

#include <wtsapi32.h>

#include "app/shell_state.h"
#include "app/system_libraries.h"
#include "game/game_cycle.h"
#include "game/glass.h"

namespace {

void PauseOrResume(PauseEvent event) {
    AutoPauseEvent(event);
    MarkAllForRepaint();
    InvalidateRect(mainWindow, nullptr, FALSE);
}

void SessionChanged(WPARAM change) {
    switch (change) {
    case WTS_SESSION_LOCK:
        PauseOrResume(PauseEvent::SessionLocked);
        break;
    case WTS_SESSION_UNLOCK:
        PauseOrResume(PauseEvent::SessionUnlocked);
        break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        PauseOrResume(PauseEvent::SessionDisconnected);
        break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        PauseOrResume(PauseEvent::SessionConnected);
        break;
    default:
        break;
    }
}

void PowerChanged(WPARAM change) {
    if (change == PBT_APMSUSPEND) {
        PauseOrResume(PauseEvent::Suspended);
    } else if (change == PBT_APMRESUMESUSPEND) {
        // Only a resume that the player started: one that a timer started plays to nobody.
        PauseOrResume(PauseEvent::ResumedByPlayer);
    }
}

} // namespace

void WatchSession(HWND window) {
    const auto registerSession = SystemFunctionOf<BOOL(WINAPI*)(HWND, DWORD)>(
        "wtsapi32.dll", "WTSRegisterSessionNotification");
    // Early in a sign-in the session service may not run yet; the game plays without it.
    registerSession(window, NOTIFY_FOR_THIS_SESSION);
}

void StopWatchingSession(HWND window) {
    SystemFunctionOf<BOOL(WINAPI*)(HWND)>("wtsapi32.dll",
                                          "WTSUnRegisterSessionNotification")(window);
}

LRESULT DesktopMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_ACTIVATE:
        PauseOrResume(LOWORD(wParam) == WA_INACTIVE ? PauseEvent::Deactivated
                                                    : PauseEvent::Activated);
        return 0;
    case WM_ENTERMENULOOP:
        // Black at once; the cells need no flags until the menu closes.
        AutoPauseEvent(PauseEvent::MenuEntered);
        InvalidateRect(mainWindow, nullptr, FALSE);
        return 0;
    case WM_EXITMENULOOP:
        PauseOrResume(PauseEvent::MenuLeft);
        return 0;
    case WM_WTSSESSION_CHANGE:
        SessionChanged(wParam);
        return 0;
    case WM_POWERBROADCAST:
        PowerChanged(wParam);
        return TRUE;
    default:
        return 0;
    }
}

bool WakesTheGame(const MSG& message) {
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return PlayerSeen();
    default:
        return false;
    }
}
