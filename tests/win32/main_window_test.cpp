#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "game/figure.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "program_fixture.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

namespace {

void UseSettings(int brkWidth, int brkHeight, int columns, int rows) {
    settings->BrkWidth = brkWidth;
    settings->BrkHeight = brkHeight;
    settings->BrksPerLine = columns;
    settings->BrksPerColumn = rows;
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(HWND child, int x, int y, int width, int height) {
    const RECT rect = ChildRect(child);
    EXPECT_EQ(rect.left, x);
    EXPECT_EQ(rect.top, y);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
}

class Layout : public ::testing::Test {
  protected:
    void SetUp() override {
        userPaused = 0;
        paused = 0;
        Clear();
    }
    void Lay(int brkWidth, int brkHeight, int columns, int rows) {
        UseSettings(brkWidth, brkHeight, columns, rows);
        Clear();
        LayoutWindow();
    }
};

TEST_F(Layout, TheDefaultGlassGivesAClientAreaOf150By365WithTheControlsInTheTopBand) {
    Lay(15, 15, 10, 20);
    RECT client;
    GetClientRect(mainWindow, &client);
    EXPECT_EQ(client.right, 150);
    EXPECT_EQ(client.bottom, 365);
    EXPECT_EQ(settings->ClientWidth, 150);
    EXPECT_EQ(settings->ClientHeight, 365);
    ExpectRect(resetButton, 0, 0, 75, 25);
    ExpectRect(pauseButton, 75, 0, 75, 25);
    ExpectRect(scorePanel, 0, 25, 110, 40);
    ExpectRect(previewPanel, 110, 25, 40, 40);
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_EQ(TextOf(mainWindow), "Windows Stakko");
    EXPECT_EQ(TextOf(resetButton), "Reset");
    EXPECT_EQ(TextOf(pauseButton), "Pause");
}

TEST_F(Layout, TheWindowIsCentredOnTheScreen) {
    Lay(15, 15, 10, 20);
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

TEST_F(Layout, LabelsAreWordsFrom150PixelsOfGlassAndLettersBelow) {
    Lay(15, 15, 10, 20);
    EXPECT_EQ(std::string(unpauseLabel), "Unpause");
    Lay(21, 15, 7, 20); // 147 pixels
    EXPECT_EQ(TextOf(resetButton), "R");
    EXPECT_EQ(TextOf(pauseButton), "P");
    EXPECT_EQ(std::string(unpauseLabel), "U");

    userPaused = 1;
    LayoutWindow();
    EXPECT_EQ(TextOf(pauseButton), "U") << "a paused game keeps its unpause label";
}

TEST_F(Layout, WithAnOddWidthThePauseButtonIsOnePixelWider) {
    Lay(21, 15, 7, 20); // 147 pixels
    ExpectRect(resetButton, 0, 0, 73, 25);
    ExpectRect(pauseButton, 73, 0, 74, 25);
    ExpectRect(scorePanel, 0, 25, 107, 40);
    ExpectRect(previewPanel, 107, 25, 40, 40);
}

TEST_F(Layout, TheNarrowestGlassLeavesTheScorePanelTwoPixelsWide) {
    Lay(6, 6, 7, 7);
    ExpectRect(scorePanel, 0, 25, 2, 40);
    ExpectRect(previewPanel, 2, 25, 40, 40);
    RECT client;
    GetClientRect(mainWindow, &client);
    EXPECT_EQ(client.bottom, 7 * 6 + 65) << "the glass keeps its height whatever the menu bar";
    EXPECT_GE(client.right, 42);
}

TEST_F(Layout, AWindowLargerThanTheScreenStartsAtZeroOnThatAxisOnly) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Lay(50, 6, 30, 7); // 1,500 pixels wide
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    ASSERT_GT(frame.right - frame.left, screenWidth);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, (screenHeight - (frame.bottom - frame.top)) / 2);

    Lay(15, 50, 10, 40); // 2,065 pixels of client height
    GetWindowRect(mainWindow, &frame);
    ASSERT_GT(frame.bottom - frame.top, screenHeight);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.left, (screenWidth - (frame.right - frame.left)) / 2);
}

TEST(CenterIn, CentresInTheClientAreaRoundingDownAndStartsAtZeroWhenTooLarge) {
    UseSettings(15, 15, 10, 20);
    LayoutWindow();
    const POINT inPreview = CenterIn(35, 35, previewPanel);
    EXPECT_EQ(inPreview.x, 2);
    EXPECT_EQ(inPreview.y, 2);
    const POINT tooLarge = CenterIn(41, 30, previewPanel);
    EXPECT_EQ(tooLarge.x, 0);
    EXPECT_EQ(tooLarge.y, 5);
    const POINT failed = CenterIn(10, 10, reinterpret_cast<HWND>(0x7777));
    EXPECT_EQ(failed.x, -1);
    EXPECT_EQ(failed.y, -1);
}

class AutoPause : public ::testing::Test {
  protected:
    void SetUp() override {
        UseSettings(15, 15, 10, 20);
        LayoutWindow();
        paused = 0;
        userPaused = 0;
        savedPaused = 0;
        ClearFlags();
    }
    static void ClearFlags() {
        for (auto& row : glass->cells) {
            for (GlassCell& cell : row) {
                cell.repaint = 0;
            }
        }
        ValidateRect(mainWindow, nullptr);
    }
    static int FlaggedCells() {
        int flagged = 0;
        for (auto& row : glass->cells) {
            for (const GlassCell& cell : row) {
                flagged += cell.repaint;
            }
        }
        return flagged;
    }
    static bool Invalidated() {
        return GetUpdateRect(mainWindow, nullptr, FALSE) != 0;
    }
};

TEST_F(AutoPause, DeactivationPausesAndActivationPutsTheSavedStateBack) {
    SendMessageA(mainWindow, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(savedPaused, 0);
    EXPECT_EQ(FlaggedCells(), 200);
    EXPECT_TRUE(Invalidated());

    ClearFlags();
    SendMessageA(mainWindow, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(FlaggedCells(), 200);
    EXPECT_TRUE(Invalidated());
    EXPECT_EQ(userPaused, 0);
}

TEST_F(AutoPause, APlayersPauseOutlastsADeactivation) {
    SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(0, BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(pauseButton));
    EXPECT_EQ(paused, 0) << "only a notification code of 0 is a click";
    SendMessageA(mainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(pauseButton));
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(TextOf(pauseButton), "Unpause");
    SendMessageA(mainWindow, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageA(mainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(userPaused, 1);
    EXPECT_EQ(TextOf(pauseButton), "Unpause");
    SendMessageA(mainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(pauseButton));
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(TextOf(pauseButton), "Pause");
}

TEST_F(AutoPause, TheMenuLoopPausesWithoutFlagsAndRedrawsEveryCellWhenLeft) {
    SendMessageA(mainWindow, WM_ENTERMENULOOP, FALSE, 0);
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(FlaggedCells(), 0);
    EXPECT_TRUE(Invalidated());

    ValidateRect(mainWindow, nullptr);
    SendMessageA(mainWindow, WM_EXITMENULOOP, FALSE, 0);
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(FlaggedCells(), 200);
    EXPECT_TRUE(Invalidated());
}

TEST_F(AutoPause, AMoveFlagsEveryCellWithoutAskingForAPaint) {
    SendMessageA(mainWindow, WM_MOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(FlaggedCells(), 200);
    EXPECT_FALSE(Invalidated());
    EXPECT_EQ(paused, 0);
}

TEST(StaticControls, AreWhiteOnBlack) {
    HDC dc = GetDC(scorePanel);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(mainWindow, WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(scorePanel)));
    EXPECT_EQ(brush, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
    ReleaseDC(scorePanel, dc);
}

// Answers the next message box with a button and keeps its caption and message.
struct BoxAnswer {
    std::string caption;
    std::string text;
};

BoxAnswer Answer(int button, UINT message, WPARAM wParam, LPARAM lParam) {
    BoxAnswer answer;
    DialogAnswers answers([&](HWND box, const std::string& caption, int) {
        answer = {caption, MessageOf(box)};
        Press(box, button);
    });
    SendMessageA(mainWindow, message, wParam, lParam);
    return answer;
}

TEST(QuitConfirmation, NoKeepsTheGameWhicheverWayTheQuitWasAsked) {
    const std::vector<std::string> texts(std::begin(QuitMessages), std::end(QuitMessages));
    for (UINT message : {WM_CLOSE, WM_COMMAND}) {
        // The close box and the system menu send WM_CLOSE; Exit in the menu is a command.
        const BoxAnswer answer = Answer(IDNO, message, message == WM_COMMAND ? IDM_EXIT : 0, 0);
        EXPECT_EQ(answer.caption, "Exit Stakko game");
        EXPECT_NE(std::find(std::begin(texts), std::end(texts), answer.text), std::end(texts))
            << answer.text;
        EXPECT_TRUE(IsWindow(mainWindow));
    }
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(ResetButton, AsksFirstAndOnYesLetsTheGameRunOut) {
    resetRequested = 0;
    const auto button = reinterpret_cast<LPARAM>(resetButton);
    const BoxAnswer answer = Answer(IDNO, WM_COMMAND, 0, button);
    EXPECT_EQ(answer.caption, "Reset game");
    EXPECT_EQ(answer.text, "Do You really want to begin new game?");
    EXPECT_EQ(resetRequested, 0);

    Answer(IDYES, WM_COMMAND, 0, button);
    EXPECT_EQ(resetRequested, 1);
}

} // namespace
