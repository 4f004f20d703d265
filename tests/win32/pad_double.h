// A stand-in for XInput, put into the test prefix's system folder as xinput1_4.dll: its pads are
// what a test sets in memory shared by name, and it counts every read.
#pragma once

#include <windows.h>

#include <xinput.h>

struct PadDouble {
    LONG reads;      // calls of XInputGetState, for any slot
    DWORD connected; // one bit a slot
    XINPUT_GAMEPAD pads[XUSER_MAX_COUNT];
};

// The shared pads, created zeroed by whichever process asks first; null if that fails.
inline PadDouble* SharedPads() {
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(PadDouble), "StakkoPadDouble");
    return mapping == nullptr ? nullptr
                              : static_cast<PadDouble*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS,
                                                                      0, 0, sizeof(PadDouble)));
}
