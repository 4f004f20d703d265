#include "app/pump.h"

#include "app/desktop_pause.h"

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

bool PumpMessages(EventFilter filter) {
    MSG message;
    for (;;) {
        // A failed fetch ends the pump like the quit message, so the caller still saves.
        const BOOL fetched = GetMessageA(&message, nullptr, 0, 0);
        if (fetched == 0 || fetched == -1) {
            return true;
        }
        // The key or click that shows the player back after a sleep is not played: the figure
        // that has been black till now does not move, and the game does not pause again.
        if (WakesTheGame(message)) {
            continue;
        }
        TranslateMessage(&message);
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
