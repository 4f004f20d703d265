#include "app/pump.h"

#include "game/game_cycle.h"
#include "game/glass.h"

Event ToEvent(const MSG& message) {
    switch (message.message) {
    case WM_KEYDOWN:
        return {EventKind::KeyPressed, static_cast<int>(message.wParam)};
    case WM_KEYUP:
        return {EventKind::KeyReleased, static_cast<int>(message.wParam)};
    case WM_TIMER:
        // Only the kind counts: the timer's id and window are not looked at.
        return {EventKind::TimerTick, 0};
    default:
        return {EventKind::Other, 0};
    }
}

namespace {

// A key or a click in one of the game's windows: the player is at the computer.
bool ShowsThePlayer(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

bool PumpMessages(EventFilter filter) {
    MSG message;
    for (;;) {
        // A failed fetch ends the pump like the quit message, so the caller still saves.
        const BOOL fetched = GetMessageA(&message, nullptr, 0, 0);
        if (fetched == 0 || fetched == -1) {
            return true;
        }
        TranslateMessage(&message);
        if (ShowsThePlayer(message.message) && AutoPauseEvent(PauseEvent::PlayerSeen)) {
            MarkAllForRepaint();
            RequestGlassRepaint();
        }
        if (!filter(ToEvent(message))) {
            return false;
        }
        DispatchMessageA(&message);
    }
}

void RuntimeAssert(const char* file, int line) {
    // wsprintfA rather than the C runtime's printf family, whose floating-point conversions would
    // more than double the size of the program; its output is at most 1024 characters.
    char text[1024];
    wsprintfA(text, "Run-time assertion failed\nFile: %.900s\nLine: %i", file, line);
    MessageBoxA(nullptr, text, "Bug in Dropstakk!", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
}
