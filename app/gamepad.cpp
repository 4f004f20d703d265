#include "app/gamepad.h"

#include <xinput.h>

#include "app/pad_input.h"
#include "app/shell_state.h"
#include "app/system_libraries.h"
#include "game/game_cycle.h"

namespace {

using GetStateCall = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

constexpr DWORD ReadPeriod = 16; // milliseconds: a reading a frame

// Written by the main window's thread, which alone turns readings into keys.
GetStateCall getState = nullptr; // XInput's, once looked up; null without XInput
bool xinputLookedUp = false;
bool inFront = false;
PadReading readings[PadCount] = {};
PadInput padInput;
PadTiming timing = {250, 33};

// Shared with the reader: the slots to read, one bit a slot, which the reader clears for a pad that
// stops answering; and, set while a pad is connected and the game is in front, its go-ahead.
volatile LONG connectedPads = 0;
HANDLE readingWanted = nullptr;

// The reader's thread: it only reads the connected pads and posts what it read to the window.
DWORD WINAPI ReadConnectedPads(void* window) {
    for (;;) {
        WaitForSingleObject(readingWanted, INFINITE);
        const LONG slots = connectedPads;
        for (DWORD slot = 0; slot < PadCount; ++slot) {
            if ((slots & (1L << slot)) == 0) {
                continue;
            }
            XINPUT_STATE state = {};
            const bool answered = getState(slot, &state) == ERROR_SUCCESS;
            if (!answered) {
                InterlockedAnd(&connectedPads, ~(1L << slot));
            }
            const XINPUT_GAMEPAD& pad = state.Gamepad;
            PostMessageA(static_cast<HWND>(window), WM_PADREADING,
                         MAKEWPARAM(pad.wButtons, slot | (answered ? 4 : 0)),
                         MAKELPARAM(pad.sThumbLX, pad.sThumbLY));
        }
        Sleep(ReadPeriod);
    }
}

void ReadWhileWanted() {
    if (readingWanted == nullptr) {
        return;
    }
    if (inFront && connectedPads != 0) {
        SetEvent(readingWanted);
    } else {
        ResetEvent(readingWanted);
    }
}

// What is in front decides what the buttons mean.
PadMode ModeNow() {
    HWND active = GetActiveWindow();
    if (!inFront || active == nullptr) {
        return PadMode::Away;
    }
    if (active == mainWindow) {
        return (autoPauses & InMenu) != 0 ? PadMode::Menu : PadMode::Game;
    }
    // Esc answers no box of Yes and No.
    const bool yesOrNo =
        GetDlgItem(active, IDNO) != nullptr && GetDlgItem(active, IDCANCEL) == nullptr;
    return yesOrNo ? PadMode::Question : PadMode::Box;
}

// As the keyboard sends the key: F10 as a system key, a repeat or a release with the key's
// previous state set.
void PostKey(HWND target, const PadKeyEvent& event) {
    const bool system = event.key == VK_F10;
    const UINT message =
        event.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM flags = 1 | static_cast<LPARAM>(MapVirtualKeyA(event.key, MAPVK_VK_TO_VSC)) << 16;
    flags |= event.repeat || !event.down ? 1L << 30 : 0;
    flags |= event.down ? 0 : static_cast<LPARAM>(1UL << 31);
    PostMessageA(target, message, static_cast<WPARAM>(event.key), flags);
}

void PressKeys() {
    PadKeyEvent events[MaxPadKeyEvents];
    const int count = ReadPads(padInput, readings, ModeNow(), GetTickCount(), timing, events);
    HWND target = GetFocus() != nullptr ? GetFocus() : mainWindow;
    for (int i = 0; i < count; ++i) {
        PostKey(target, events[i]);
    }
}

} // namespace

void FindPads() {
    if (!xinputLookedUp) {
        xinputLookedUp = true;
        // Windows 8 and later have the first; Windows 7 the second.
        getState = OptionalSystemFunctionOf<GetStateCall>("xinput1_4.dll", "XInputGetState");
        if (getState == nullptr) {
            getState = OptionalSystemFunctionOf<GetStateCall>("xinput9_1_0.dll", "XInputGetState");
        }
    }
    if (getState == nullptr) {
        return;
    }
    LONG found = 0;
    for (DWORD slot = 0; slot < PadCount; ++slot) {
        XINPUT_STATE state;
        found |= getState(slot, &state) == ERROR_SUCCESS ? 1L << slot : 0;
        readings[slot].connected = readings[slot].connected && (found & (1L << slot)) != 0;
    }
    InterlockedExchange(&connectedPads, found);
    if (found != 0 && readingWanted == nullptr) {
        // Without its thread the game plays on, by the keyboard alone.
        readingWanted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE reader = readingWanted == nullptr
                            ? nullptr
                            : CreateThread(nullptr, 0, ReadConnectedPads, mainWindow, 0, nullptr);
        if (reader == nullptr) {
            return;
        }
        CloseHandle(reader);
    }
    // A pad gone lets go of what it held.
    PressKeys();
    ReadWhileWanted();
}

void PadsInFront(bool front) {
    inFront = front;
    if (front) {
        // The keyboard's repeat as the player set it: a delay of 250 ms to 1 s, and 2.5 to 30
        // repeats a second.
        UINT delay = 1;
        UINT speed = 31;
        SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
        SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
        timing = {250 * (static_cast<int>(delay) + 1),
                  62000 / (155 + 55 * static_cast<int>(speed))};
    } else {
        // What the boxes hold goes now; what the game holds, once it is back.
        PressKeys();
    }
    ReadWhileWanted();
}

void PadRead(WPARAM wParam, LPARAM lParam) {
    const int slot = HIWORD(wParam) & 3;
    readings[slot] = {(HIWORD(wParam) & 4) != 0, LOWORD(wParam),
                      static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    PressKeys();
    if (!readings[slot].connected) {
        // The last pad gone stops the reader.
        ReadWhileWanted();
    }
}
