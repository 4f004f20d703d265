// Gamepads: up to four XInput pads play the game and answer its boxes and menu by the path of the
// keys, as app/pad_input.h decides. XInput is taken from the system folder only; without it, or
// without a pad, nothing runs for them.
#pragma once

#include <windows.h>

// The message by which the pads' reader hands a reading to the main window: wParam holds the
// buttons, the slot and whether it answered, lParam the left stick.
constexpr UINT WM_PADREADING = WM_APP + 1;

// Looks for pads, at start-up and whenever Windows reports a change of devices: XInput's read of
// an empty slot is slow, so nothing else ever reads one.
void FindPads();

// The game's windows came to the front or left it: the pads are read only while they are there.
void PadsInFront(bool inFront);

// A reading handed over: the keys it stands for go to the window with the keyboard.
void PadRead(WPARAM wParam, LPARAM lParam);
