// What a gamepad's readings over time stand for at the keyboard: the key presses, repeats and
// releases that the shell hands the game, its boxes and its menu, by the path of the keys. Plain
// numbers in and out, so that every situation a pad player meets is a row of a table.
#pragma once

#include <cstdint>

constexpr int PadCount = 4; // XInput's slots

// The pad's buttons, as XInput numbers them.
enum PadButton : uint16_t {
    PadUp = 0x0001,
    PadDown = 0x0002,
    PadLeft = 0x0004,
    PadRight = 0x0008,
    PadStart = 0x0010,
    PadView = 0x0020, // Back on older pads
    PadA = 0x1000,
    PadB = 0x2000,
    PadX = 0x4000,
};

// Past this, in either direction of an axis, the left stick points (XInput's own dead zone).
constexpr int StickDeadZone = 7849;

struct PadReading {
    bool connected;
    uint16_t buttons;
    int16_t stickX, stickY; // right and up are positive
};

// What is in front, which decides what the buttons mean.
enum class PadMode : uint8_t {
    Game,     // the main window: the game's keys
    Menu,     // its menu is open
    Box,      // a dialog or message box of the game
    Question, // a box of Yes and No, which Esc does not answer
    Away,     // no window of the game: nothing is read, nothing pressed
};

// The keyboard's own repeat, from the system's settings.
struct PadTiming {
    int delay;  // milliseconds from a press to its first repeat
    int period; // milliseconds between repeats
};

struct PadKeyEvent {
    int key; // virtual-key code
    bool down;
    bool repeat; // a press of a key already down
};

// What the rule keeps from one reading to the next. Starts away, with nothing held.
struct PadInput {
    PadMode mode = PadMode::Away;
    uint16_t stale = 0; // controls held since before the mode began: they act again once let go
    struct Down {
        int key;
        bool forGame;      // its release waits until the game is in front again
        uint32_t repeatAt; // milliseconds
    } downs[16] = {};
    int downCount = 0;
};

constexpr int MaxPadKeyEvents = 32;

// The key events that the pads' readings at this time (in milliseconds, any origin) stand for, in
// the order they happen; returns how many were written to events.
int ReadPads(PadInput& input, const PadReading (&pads)[PadCount], PadMode mode, uint32_t now,
             const PadTiming& timing, PadKeyEvent (&events)[MaxPadKeyEvents]);
