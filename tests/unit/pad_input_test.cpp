#include "app/pad_input.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr PadReading None = {true, 0, 0, 0};
constexpr PadReading Gone = {false, 0, 0, 0};
constexpr PadReading Pad(uint16_t buttons) {
    return {true, buttons, 0, 0};
}
constexpr PadReading Stick(int16_t x, int16_t y) {
    return {true, 0, x, y};
}

struct Step {
    uint32_t time;
    PadMode mode;
    PadReading first, second = None; // the other two slots are empty
};

struct Row {
    const char* situation;
    std::vector<Step> steps;
    const char* keys; // "+" a press, "*" a repeat, "-" a release
};

constexpr PadMode G = PadMode::Game, M = PadMode::Menu, B = PadMode::Box, Q = PadMode::Question,
                  Away = PadMode::Away;

// A row a situation; the keyboard repeats after 250 ms, every 40 ms.
// clang-format off
const Row Rows[] = {
    {"Left held repeats after the keyboard's delay, at its rate",
     {{0, G, Pad(PadLeft)}, {100, G, Pad(PadLeft)}, {250, G, Pad(PadLeft)}, {289, G, Pad(PadLeft)},
      {290, G, Pad(PadLeft)}, {400, G, None}}, "+Left *Left *Left -Left"},
    {"a late reading repeats once, and the rate goes on from it",
     {{0, G, Pad(PadRight)}, {500, G, Pad(PadRight)}, {539, G, Pad(PadRight)},
      {540, G, Pad(PadRight)}}, "+Right *Right *Right"},
    {"the stick inside its dead zone presses nothing",
     {{0, G, Stick(7849, 0)}, {10, G, Stick(-7000, -7849)}}, ""},
    {"the stick off its line presses its longer axis only; a diagonal is across",
     {{0, G, Stick(20000, -15000)}, {10, G, Stick(15000, -20000)}, {20, G, Stick(-20000, 20000)}},
     "+Right -Right +Down -Down +Left"},
    {"two pads hold a key once, and let it go when both have",
     {{0, G, Pad(PadLeft)}, {10, G, Pad(PadLeft), Pad(PadLeft)}, {20, G, None, Pad(PadLeft)},
      {30, G, None, None}}, "+Left -Left"},
    {"a pad unplugged while holding Down lets it go",
     {{0, G, Pad(PadDown)}, {10, G, Gone}}, "+Down -Down"},
    {"in the game A turns, X drops, Start pauses, View opens the menu and B does nothing",
     {{0, G, Pad(PadA | PadB)}, {10, G, Pad(PadX)}, {20, G, Pad(PadStart)}, {30, G, Pad(PadView)},
      {40, G, None}}, "+Up -Up +Space -Space +P -P +F10 -F10"},
    {"in the menu the arrows and A choose, B and View close",
     {{0, M, Pad(PadDown)}, {10, M, Pad(PadA)}, {20, M, Pad(PadB)}, {30, M, Pad(PadView)}},
     "+Down -Down +Enter -Enter +Esc -Esc +F10"},
    {"in a box A is Enter and B Esc, in a question of Yes and No B is No; X, Start, View nothing",
     {{0, B, Pad(PadA)}, {10, B, Pad(PadB)}, {20, Q, None}, {30, Q, Pad(PadB)},
      {40, Q, Pad(PadX | PadStart | PadView)}}, "+Enter -Enter +Esc -Esc +N -N"},
    {"A held as the name dialog opens does not answer it; the next press does",
     {{0, G, Pad(PadA)}, {10, B, Pad(PadA)}, {20, B, None}, {30, B, Pad(PadA)}, {40, G, None}},
     "+Up +Enter -Up -Enter"},
    {"Down held as the game loses the front is let go when it is back, even still held",
     {{0, G, Pad(PadDown)}, {10, Away, Pad(PadDown)}, {20, G, Pad(PadDown)}, {30, G, None},
      {40, G, Pad(PadDown)}}, "+Down -Down +Down"},
    {"away from the game nothing is pressed", {{0, Away, Pad(PadA | PadLeft)}}, ""},
};
// clang-format on

TEST(PadInput, EachSituationGivesTheKeysAKeyboardPlayerWouldPress) {
    const std::map<int, std::string> names = {
        {0x25, "Left"}, {0x27, "Right"}, {0x26, "Up"},  {0x28, "Down"}, {0x20, "Space"},
        {0x50, "P"},    {0x0D, "Enter"}, {0x1B, "Esc"}, {0x79, "F10"},  {0x4E, "N"}};
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.situation);
        PadInput input;
        input.mode = row.steps[0].mode; // in front before the first press
        std::string keys;
        for (const Step& step : row.steps) {
            const PadReading pads[PadCount] = {step.first, step.second, Gone, Gone};
            PadKeyEvent events[MaxPadKeyEvents];
            const int count = ReadPads(input, pads, step.mode, step.time, {250, 40}, events);
            for (int i = 0; i < count; ++i) {
                keys += std::string(keys.empty() ? "" : " ") +
                        (events[i].repeat ? "*"
                         : events[i].down ? "+"
                                          : "-") +
                        names.at(events[i].key);
            }
        }
        EXPECT_EQ(keys, row.keys);
    }
}

} // namespace
