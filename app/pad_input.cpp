#include "app/pad_input.h"

#include <cstdlib>

#include "game/host.h"

namespace {

constexpr int KeyReturn = 0x0D;
constexpr int KeyEscape = 0x1B;
constexpr int KeyF10 = 0x79;
constexpr int KeyN = 0x4E; // No, in a box of Yes and No

// The pad's controls, the stick's directions with the D-pad's.
enum Control { Left, Right, Up, Down, A, B, X, Start, View, ControlCount };

constexpr uint16_t ButtonOf[ControlCount] = {PadLeft, PadRight, PadUp,    PadDown, PadA,
                                             PadB,    PadX,     PadStart, PadView};

// The key each control stands for, by mode (Game, Menu, Box, Question); 0 for none.
constexpr int KeyFor[ControlCount][4] = {
    {KeyLeft, KeyLeft, KeyLeft, KeyLeft},
    {KeyRight, KeyRight, KeyRight, KeyRight},
    {KeyUp, KeyUp, KeyUp, KeyUp},
    {KeyDown, KeyDown, KeyDown, KeyDown},
    {KeyUp, KeyReturn, KeyReturn, KeyReturn}, // A turns, or takes the default button
    {0, KeyEscape, KeyEscape, KeyN},          // B cancels
    {KeySpace, 0, 0, 0},                      // X drops
    {KeyP, 0, 0, 0},                          // Start pauses and goes on
    {KeyF10, KeyF10, 0, 0},                   // View opens and closes the menu
};

// Held and released, like the keys: the arrows alone repeat.
bool Repeats(int key) {
    return key == KeyLeft || key == KeyRight || key == KeyUp || key == KeyDown;
}

// The controls one pad holds: its buttons, and the stick's direction along its longer axis once
// past the dead zone, so that a stick a little off its line does not press a second arrow.
uint16_t Held(const PadReading& pad) {
    if (!pad.connected) {
        return 0;
    }
    uint16_t held = 0;
    for (int control = 0; control < ControlCount; ++control) {
        held |= (pad.buttons & ButtonOf[control]) != 0 ? 1u << control : 0;
    }
    const int x = pad.stickX;
    const int y = pad.stickY;
    if (std::abs(x) >= std::abs(y) && std::abs(x) > StickDeadZone) {
        held |= 1u << (x < 0 ? Left : Right);
    } else if (std::abs(y) > std::abs(x) && std::abs(y) > StickDeadZone) {
        held |= 1u << (y < 0 ? Down : Up);
    }
    return static_cast<uint16_t>(held);
}

bool Due(uint32_t time, uint32_t now) {
    return static_cast<int32_t>(now - time) >= 0;
}

} // namespace

int ReadPads(PadInput& input, const PadReading (&pads)[PadCount], PadMode mode, uint32_t now,
             const PadTiming& timing, PadKeyEvent (&events)[MaxPadKeyEvents]) {
    int count = 0;
    uint16_t held = 0;
    for (const PadReading& pad : pads) {
        held |= mode == PadMode::Away ? 0 : Held(pad);
    }
    // A press that began before a box opened, or before the game came back, does not answer it.
    if (mode != input.mode) {
        input.stale = held;
        input.mode = mode;
    }
    input.stale &= held;
    const uint16_t active = held & ~input.stale;
    const bool inGame = mode == PadMode::Game;
    int wanted[ControlCount] = {};
    int wantedCount = 0;
    const auto isWanted = [&](int key) {
        for (int i = 0; i < wantedCount; ++i) {
            if (wanted[i] == key) {
                return true;
            }
        }
        return false;
    };
    // Each key once, though A and Up both turn: away, no control is active.
    for (int control = 0; control < ControlCount; ++control) {
        const int key =
            (active & (1u << control)) != 0 ? KeyFor[control][static_cast<int>(mode)] : 0;
        if (key != 0 && !isWanted(key)) {
            wanted[wantedCount++] = key;
        }
    }

    // Releases first. The game sees no release while a box is in front, so a key pressed for the
    // game is let go there, once it is back: Down stops falling fast, Left stops repeating.
    int kept = 0;
    for (int i = 0; i < input.downCount; ++i) {
        const PadInput::Down down = input.downs[i];
        const bool live = down.forGame == inGame;
        if (live ? isWanted(down.key) : down.forGame) {
            input.downs[kept++] = down;
        } else {
            events[count++] = {down.key, false, false};
        }
    }
    input.downCount = kept;

    for (int i = 0; i < wantedCount; ++i) {
        bool alreadyDown = false;
        for (int j = 0; j < input.downCount; ++j) {
            PadInput::Down& down = input.downs[j];
            if (down.key != wanted[i] || down.forGame != inGame) {
                continue;
            }
            alreadyDown = true;
            if (Repeats(down.key) && Due(down.repeatAt, now)) {
                events[count++] = {down.key, true, true};
                down.repeatAt = Due(down.repeatAt + timing.period, now)
                                    ? now + timing.period
                                    : down.repeatAt + timing.period;
            }
        }
        if (!alreadyDown) {
            events[count++] = {wanted[i], true, false};
            input.downs[input.downCount++] = {wanted[i], inGame, now + timing.delay};
        }
    }
    return count;
}
