#include "app/window_layout.h"

#include <gtest/gtest.h>

namespace {

// Wine's frame of the main window: borders of 3, caption and menu bar of 19 each at 96 DPI, a
// further menu line of 18, items 84 wide, windows no narrower than 112; 1.5 times that at 144.
constexpr FrameMetrics Frame96 = {3, 41, 3, 3, 18, 84, 112};
constexpr FrameMetrics Frame144 = {3, 59, 3, 3, 27, 133, 166};
constexpr FrameMetrics NoMinimum = {3, 41, 3, 3, 18, 84, 0};
constexpr Box Desktop = {0, 0, 1024, 768};

struct Row {
    const char* situation;
    LayoutRequest request;
    int brickWidth, brickHeight;
    Box window;
};

// A row a situation.
// clang-format off
const Row Rows[] = {
    {"defaults, 96 DPI", {15, 15, 10, 20, 96, Desktop, Frame96}, 15, 15, {434, 179, 156, 409}},
    {"defaults, 144 DPI", {15, 15, 10, 20, 144, Desktop, Frame144}, 23, 23, {394, 74, 236, 620}},
    {"defaults, 120 DPI", {15, 15, 10, 20, 120, Desktop, Frame96}, 19, 19, {414, 131, 196, 505}},
    {"taskbar on the left, 192 DPI, 40 rows of 20",
     {20, 20, 10, 40, 192, {124, 0, 3716, 2160}, Frame144}, 40, 40, {1779, 184, 406, 1792}},
    {"narrow glass widened to the narrowest window",
     {6, 6, 7, 7, 96, Desktop, Frame96}, 6, 6, {456, 308, 112, 151}},
    {"narrow glass wraps the menu bar",
     {6, 6, 7, 7, 96, Desktop, NoMinimum}, 6, 6, {488, 299, 48, 169}},
    {"40 rows of 50 on 1024 x 768",
     {50, 50, 10, 40, 96, Desktop, Frame96}, 16, 16, {429, 9, 166, 749}},
    {"20 rows of 40 on 1024 x 768",
     {40, 40, 10, 20, 96, Desktop, Frame96}, 32, 32, {349, 9, 326, 749}},
    {"20 rows of 40 on 1600 x 1200",
     {40, 40, 10, 20, 96, {0, 0, 1600, 1200}, Frame96}, 40, 40, {597, 145, 406, 909}},
    {"flat bricks too wide keep their height",
     {50, 6, 30, 7, 96, Desktop, Frame96}, 33, 6, {14, 308, 996, 151}},
    {"smallest screen: not even 6 pixels fit",
     {50, 50, 30, 40, 96, {0, 0, 320, 200}, Frame96}, 6, 6, {67, 0, 186, 349}},
    {"taskbars on the left and the top, not even 6 pixels fit",
     {50, 50, 30, 40, 96, {100, 40, 150, 200}, Frame96}, 6, 6, {100, 40, 186, 349}},
    {"kept where the player put it",
     {15, 15, 10, 20, 96, Desktop, Frame96, Placement::Kept, 10, 5}, 15, 15, {10, 5, 156, 409}},
    {"kept, but off the smaller screen: centred",
     {15, 15, 10, 20, 96, {0, 0, 800, 600}, Frame96, Placement::Kept, 700, 5},
     15, 15, {322, 95, 156, 409}},
    {"the system's suggestion moved into the work area",
     {15, 15, 10, 20, 96, Desktop, Frame96, Placement::MovedInto, 900, -20},
     15, 15, {868, 0, 156, 409}},
};
// clang-format on

TEST(WindowLayout, EachScreenGetsTheLargestBricksThatFitAndAWindowInsideItsWorkArea) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.situation);
        const WindowLayout layout = PlanLayout(row.request);
        EXPECT_EQ(layout.brickWidth, row.brickWidth);
        EXPECT_EQ(layout.brickHeight, row.brickHeight);
        EXPECT_EQ(layout.window.x, row.window.x);
        EXPECT_EQ(layout.window.y, row.window.y);
        EXPECT_EQ(layout.window.width, row.window.width);
        EXPECT_EQ(layout.window.height, row.window.height);
        const int full = ScaleToDpi(row.request.brkWidth, row.request.dpi);
        EXPECT_EQ(layout.shrunk, layout.brickWidth != full);
    }
}

TEST(WindowLayout, EveryLengthScalesByTheDpiAndTheCountsStay) {
    const WindowLayout at96 = PlanLayout(Rows[0].request);
    EXPECT_EQ(at96.glassTop, 65);
    EXPECT_EQ(at96.previewPanel.x, 110);
    const WindowLayout at144 = PlanLayout(Rows[1].request);
    EXPECT_EQ(at144.glassTop, 38 + 60);
    EXPECT_EQ(at144.scorePanel.width, 230 - 60);
    EXPECT_EQ(at144.bevel, 3);
    EXPECT_EQ(at144.previewPitch, 11);
    EXPECT_EQ(at144.previewSquare, 9);
    EXPECT_EQ(at144.panelFont, 27);
    EXPECT_EQ(at144.bigCreditFont, 39);
    EXPECT_EQ(at144.creditRise / at144.creditStep, 15) << "a credit line takes 16 ticks";
    EXPECT_TRUE(at144.longLabels) << "230 pixels of glass, 225 needed";
    const WindowLayout at120 = PlanLayout(Rows[2].request);
    EXPECT_EQ(at120.creditRise / at120.creditStep, 15);
    const WindowLayout narrow = PlanLayout(Rows[4].request);
    EXPECT_EQ(narrow.scorePanel.width, 2);
    EXPECT_FALSE(narrow.showsScore);
    // The score shows from 100 pixels of glass at 96 DPI, 150 at 144.
    EXPECT_TRUE(PlanLayout({10, 10, 10, 20, 144, Desktop, Frame144}).showsScore);
    EXPECT_FALSE(PlanLayout({14, 14, 7, 20, 144, Desktop, Frame144}).showsScore); // 147 pixels
}

TEST(WindowLayout, OptionsTellsTheBrickSizeShownInThePlayersOwnUnits) {
    int width = 0;
    int height = 0;
    EXPECT_FALSE(ShownBrickSize(PlanLayout(Rows[8].request), &width, &height));
    EXPECT_TRUE(ShownBrickSize(PlanLayout(Rows[6].request), &width, &height));
    EXPECT_EQ(height, 16);
    const LayoutRequest at144 = {40, 40, 10, 20, 144, Desktop, Frame144};
    EXPECT_TRUE(ShownBrickSize(PlanLayout(at144), &width, &height)); // 30 pixels of 60
    EXPECT_EQ(width, 20);
}

} // namespace
