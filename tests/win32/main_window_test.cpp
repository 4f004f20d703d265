#include <windows.h>

#include <imm.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "about/about.h"
#include "app/apply_layout.h"
#include "app/menu_commands.h"
#include "app/shell_state.h"
#include "game/figure.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/host.h"
#include "game/turn.h"
#include "pixels.h"
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

HWND about = nullptr;
HWND activeAfterTheChanges = nullptr;

void CALLBACK AfterTheChanges(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    activeAfterTheChanges = GetActiveWindow();
    Press(about, IDOK);
}

// What a layout decides is the native table's; here the messages reach it, in the middle of a
// dialog, and the player's sizes stay. The work area here is the whole 1024 x 768 desktop.
TEST_F(Layout, ADisplayOrDpiChangeLaysOutAgainKeepingThePlayersSizesAndTheDialogInFront) {
    Lay(50, 50, 10, 40);
    EXPECT_EQ(windowLayout.brickHeight, 16) << "40 rows of 50 do not fit 768 pixels";
    static RECT suggested = {900, 300, 1000, 400};
    DialogAnswers answers([&](HWND dialog, const std::string&, int times) {
        if (times == 1) {
            about = dialog;
            PostMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96),
                         reinterpret_cast<LPARAM>(&suggested));
            PostMessageA(mainWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
            SetTimer(nullptr, 0, 10, AfterTheChanges);
        }
    });
    ShowAbout();
    EXPECT_EQ(activeAfterTheChanges, about) << "the dialog keeps the keyboard";
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    EXPECT_EQ(frame.right, 1024) << "moved from the suggested place into the work area";
    EXPECT_EQ(frame.bottom, 768) << "and kept there by the display change";
    EXPECT_EQ(settings->BrkHeight, 50);

    // Wine's frame stays at its DPI, so only what the program makes itself is looked at.
    SendMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    LOGFONTA font = {};
    GetObjectA(panelFont, sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 27);
    EXPECT_EQ(windowLayout.bevel, 3);
    SendMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&suggested));
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
        autoPauses = 0;
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

// Locking the computer, leaving the session and sleep pause the game as leaving the window does,
// and their ends bring the kept state back.
TEST_F(AutoPause, APlayerAwayFromTheComputerPausesTheGameUntilBack) {
    const UINT session = WM_WTSSESSION_CHANGE;
    const UINT power = WM_POWERBROADCAST;
    const UINT reasons[][4] = {{session, WTS_SESSION_LOCK, session, WTS_SESSION_UNLOCK},
                               {session, WTS_CONSOLE_DISCONNECT, session, WTS_CONSOLE_CONNECT},
                               {session, WTS_REMOTE_DISCONNECT, session, WTS_REMOTE_CONNECT},
                               {power, PBT_APMSUSPEND, power, PBT_APMRESUMESUSPEND},
                               {power, PBT_APMSUSPEND, WM_ACTIVATE, WA_ACTIVE}};
    for (const auto& r : reasons) {
        for (uint8_t players : {0, 1}) {
            SCOPED_TRACE(std::to_string(r[1]) + (players ? ", paused by the player" : ""));
            paused = userPaused = players;
            SendMessageA(mainWindow, r[0], r[1], 0);
            SendMessageA(mainWindow, power, PBT_APMRESUMEAUTOMATIC, 0); // nobody is there yet
            EXPECT_EQ(paused, 1);
            ClearFlags();
            SendMessageA(mainWindow, r[2], r[3], 0);
            EXPECT_EQ(paused, players);
            EXPECT_EQ(FlaggedCells(), 200);
        }
    }
    // A key that the game's pump fetches is the player back after a sleep; only the next is played.
    paused = userPaused = 0;
    SendMessageA(mainWindow, power, PBT_APMSUSPEND, 0);
    ClearFlags();
    PostMessageA(mainWindow, WM_KEYDOWN, VK_SHIFT, 0);
    PostMessageA(mainWindow, WM_KEYDOWN, VK_SHIFT, 0);
    PumpMessages([](const Event& event) { return event.kind != EventKind::KeyPressed; });
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(FlaggedCells(), 200);
}

// What the program asks of winmm, through a stand-in of GetProcAddress: "+" for each request of
// a 1 ms timer resolution, "-" for each release.
std::string timerRequests;
decltype(&GetProcAddress) systemGetProcAddress;

UINT WINAPI RecordRequest(UINT period) {
    timerRequests += period == 1 ? "+" : "?";
    return TIMERR_NOERROR;
}
UINT WINAPI RecordRelease(UINT period) {
    timerRequests += period == 1 ? "-" : "?";
    return TIMERR_NOERROR;
}
FARPROC WINAPI LookUpTimerRecorders(HMODULE module, LPCSTR name) {
    const std::string function = HIWORD(name) != 0 ? name : "";
    const auto recorder = function == "timeBeginPeriod" ? RecordRequest : RecordRelease;
    return function == "timeBeginPeriod" || function == "timeEndPeriod"
               ? reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(recorder))
               : systemGetProcAddress(module, name);
}

TEST_F(AutoPause, TheFallsTimerIsFineWhileTheGameRunsAndGivenBackWhenItPauses) {
    HoldFineTimer(false);
    systemGetProcAddress = reinterpret_cast<decltype(&GetProcAddress)>(
        ReplaceImport("GetProcAddress", reinterpret_cast<void*>(LookUpTimerRecorders)));
    ASSERT_NE(systemGetProcAddress, nullptr);
    DialogAnswers answers([](HWND dialog, const std::string&, int) { Press(dialog, IDCANCEL); });
    SendMessageA(mainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    for (int i = 0; i < 2; ++i) { // the player's pause, and on
        SendMessageA(mainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(pauseButton));
    }
    SendMessageA(mainWindow, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(mainWindow, WM_EXITMENULOOP, FALSE, 0);
    SendMessageA(mainWindow, WM_COMMAND, IDM_OPTIONS, 0); // a dialog, cancelled
    SendMessageA(mainWindow, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    PostMessageA(mainWindow, WM_KEYDOWN, VK_SPACE, 0); // the player back
    PostMessageA(mainWindow, WM_KEYDOWN, VK_SPACE, 0);
    PumpMessages([](const Event& event) { return event.kind != EventKind::KeyPressed; });
    SendMessageA(mainWindow, WM_ENDSESSION, FALSE, 0); // a session that goes on
    EXPECT_EQ(timerRequests, "+-+-+-+-+");
    ReplaceImport("GetProcAddress", reinterpret_cast<void*>(systemGetProcAddress));
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

// Keys go to the game even with an input method on; the name dialog keeps its own.
TEST(InputMethods, TheGameWindowHasNoInputContext) {
    for (HWND window : {mainWindow, resetButton, pauseButton, scorePanel, previewPanel}) {
        EXPECT_EQ(ImmGetContext(window), nullptr);
    }
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

// Every command the main window takes, sent as the menu, the buttons and the close box send it,
// reaches its own handler: the dialog or box of its own template opens, owned by the main window,
// and only the state that the command changes changes.
TEST(Commands, EachReachesItsOwnDialogOrState) {
    const auto reset = reinterpret_cast<LPARAM>(resetButton);
    const auto pause = reinterpret_cast<LPARAM>(pauseButton);
    const struct {
        UINT message;
        WPARAM command;
        LPARAM button;
        const char* opens; // the caption of what opens, and a control only its template has
        int control;
        int answer; // the button pressed there
        const char* state;
    } commands[] = {
        {WM_COMMAND, IDM_HISCORES, 0, "Hi-Scores", IDC_HISCORE_NAMES, IDOK, ""},
        {WM_COMMAND, IDM_OPTIONS, 0, "Options", IDC_BRICK_WIDTH, IDCANCEL, ""},
        {WM_COMMAND, IDM_ABOUT, 0, "About", IDC_CREDITS, IDOK, ""},
        {WM_COMMAND, IDM_EXIT, 0, "Exit Stakko game", IDNO, IDNO, ""},
        {WM_CLOSE, 0, 0, "Exit Stakko game", IDNO, IDNO, ""},
        {WM_COMMAND, 0, reset, "Reset game", IDNO, IDNO, ""},
        {WM_COMMAND, 0, reset, "Reset game", IDYES, IDYES, "reset"},
        {WM_COMMAND, 0, pause, "", 0, IDNO, "paused"},
        {WM_COMMAND, 0, pause, "", 0, IDNO, ""},
    };
    for (const auto& c : commands) {
        resetRequested = 0;
        std::string opened;
        DialogAnswers answers([&](HWND window, const std::string& caption, int) {
            const bool own = GetWindow(window, GW_OWNER) == mainWindow &&
                             GetDlgItem(window, c.control) != nullptr;
            opened += caption + (own ? "" : " (not its own)");
            Press(window, c.answer);
        });
        SendMessageA(mainWindow, c.message, c.command, c.button);
        const std::string state = resetRequested ? "reset" : userPaused ? "paused" : "";
        EXPECT_EQ(opened, c.opens) << c.message << " " << c.command;
        EXPECT_EQ(state, c.state) << c.message << " " << c.command;
    }
    MSG quit;
    EXPECT_TRUE(IsWindow(mainWindow));
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        << "No keeps the game";
}

TEST(Commands, ASeededRunOfQuitQuestionsMeetsEveryOneOfTheEight) {
    std::srand(1);
    std::set<std::string> asked;
    for (int i = 0; i < 100 && asked.size() < QuitMessageCount; ++i) {
        DialogAnswers answers([&](HWND box, const std::string&, int) {
            asked.insert(MessageOf(box));
            Press(box, IDNO);
        });
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(asked, std::set<std::string>(std::begin(QuitMessages), std::end(QuitMessages)));
}

// ---- The rules' host functions, through the real window

using SetTimerCall = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
SetTimerCall systemSetTimer = nullptr;
std::string timerSet; // the last timer the program set, as "timer <period>"

UINT_PTR WINAPI RecordSetTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure) {
    timerSet =
        (window == mainWindow && id == 1 ? "timer " : "another timer ") + std::to_string(period);
    return systemSetTimer(window, id, period, procedure);
}

std::string answered; // what the reset question answered

// What a call does that a player would see, in a fixed order: each dialog or box that opens (its
// caption, "not its own" unless the main window owns it), "glass" or "preview" for a window left
// to repaint, the score panel's new text, the Pause button's new label, "focus" on the main
// window, the fall timer set, "no timer" when it is stopped, and the reset question's answer.
std::string HostEffects(const std::function<void()>& call) {
    SetTimer(mainWindow, 1, 999, nullptr); // a timer runs, to see it stop
    timerSet.clear();
    answered.clear();
    SetFocus(resetButton);
    ValidateRect(mainWindow, nullptr);
    ValidateRect(previewPanel, nullptr);
    const std::string panel = TextOf(scorePanel);
    const std::string label = TextOf(pauseButton);
    std::string effects;
    DialogAnswers answers([&](HWND window, const std::string& caption, int) {
        effects += caption + (GetWindow(window, GW_OWNER) == mainWindow ? ", " : " not its own, ");
        SetDlgItemTextA(window, IDC_NAME, "Ann");
        Press(window, caption == "Reset game" ? IDYES : IDOK);
    });
    call();
    const std::pair<bool, std::string> seen[] = {
        {GetUpdateRect(mainWindow, nullptr, FALSE) != 0, "glass"},
        {GetUpdateRect(previewPanel, nullptr, FALSE) != 0, "preview"},
        {TextOf(scorePanel) != panel, "score " + TextOf(scorePanel)},
        {SendMessageA(scorePanel, WM_GETFONT, 0, 0) != reinterpret_cast<LRESULT>(panelFont),
         "the score in another font"},
        {TextOf(pauseButton) != label, "label " + TextOf(pauseButton)},
        {GetFocus() == mainWindow, "focus"},
        {!timerSet.empty(), timerSet},
        {!KillTimer(mainWindow, 1), "no timer"},
        {!answered.empty(), answered},
    };
    for (const auto& [happened, effect] : seen) {
        effects += happened ? effect + ", " : "";
    }
    return effects.substr(0, effects.size() - 2);
}

TEST(HostFunctions, EachHasItsEffectOnTheRealWindow) {
    score = 0;
    UseDefaultSettings(); // shows the score of 0
    score = 47;
    systemSetTimer = reinterpret_cast<SetTimerCall>(
        ReplaceImport("SetTimer", reinterpret_cast<void*>(RecordSetTimer)));
    ASSERT_NE(systemSetTimer, nullptr);
    // A dialog or box blanks the glass while it is open, and gives the focus back when it closes.
    const struct {
        const char* call;
        std::function<void()> run;
        const char* effects;
    } calls[] = {
        {"SetFallTimer(35)", [] { SetFallTimer(35); }, "timer 35"},
        {"StopFallTimer()", StopFallTimer, "no timer"},
        {"RequestGlassRepaint()", RequestGlassRepaint, "glass"},
        {"RequestPreviewRepaint()", RequestPreviewRepaint, "preview"},
        {"UpdateScorePanel()", UpdateScorePanel, "score Score:\n47"},
        {"ShowPauseLabel(true)", [] { ShowPauseLabel(true); }, "label Unpause"},
        {"ShowPauseLabel(false)", [] { ShowPauseLabel(false); }, "label Pause"},
        {"FocusMainWindow()", FocusMainWindow, "focus"},
        {"AskResetQuestion()", [] { answered = AskResetQuestion() ? "yes" : "no"; },
         "Reset game, glass, focus, yes"},
        {"RunHiScoreEntry()", RunHiScoreEntry, "Enter Your name, Hi-Scores, glass, focus"},
    };
    for (const auto& c : calls) {
        EXPECT_EQ(HostEffects(c.run), c.effects) << c.call;
    }
    EXPECT_STREQ(settings->HiScores[0].name, "Ann") << "the name entered the table";
    ReplaceImport("SetTimer", reinterpret_cast<void*>(systemSetTimer));
}

// ---- Drawing objects over a long run

// The program's own selections into device contexts, by context, as its calls reach the system,
// and every deletion that failed or would fail on Windows: Windows refuses to delete an object
// still selected into a context, and it stays, counted against the process, while Wine lets it
// go with the context.
std::map<HDC, std::set<HGDIOBJ>> selectedInto;
std::vector<std::string> deletionFaults;
decltype(&SelectObject) systemSelectObject;
decltype(&DeleteObject) systemDeleteObject;
decltype(&DeleteDC) systemDeleteDC;
decltype(&ReleaseDC) systemReleaseDC;
decltype(&EndPaint) systemEndPaint;

HGDIOBJ WINAPI TrackSelectObject(HDC dc, HGDIOBJ object) {
    HGDIOBJ previous = systemSelectObject(dc, object);
    selectedInto[dc].erase(previous);
    selectedInto[dc].insert(object);
    return previous;
}
BOOL WINAPI TrackDeleteObject(HGDIOBJ object) {
    for (const auto& [dc, objects] : selectedInto) {
        if (objects.count(object) != 0) {
            deletionFaults.push_back("an object deleted while selected");
        }
    }
    const BOOL deleted = systemDeleteObject(object);
    if (!deleted) {
        deletionFaults.push_back("a deletion failed");
    }
    return deleted;
}
BOOL WINAPI TrackDeleteDC(HDC dc) {
    selectedInto.erase(dc);
    return systemDeleteDC(dc);
}
int WINAPI TrackReleaseDC(HWND window, HDC dc) {
    selectedInto.erase(dc);
    return systemReleaseDC(window, dc);
}
BOOL WINAPI TrackEndPaint(HWND window, const PAINTSTRUCT* paint) {
    selectedInto.erase(paint->hdc);
    return systemEndPaint(window, paint);
}

// The stand-ins stay for the rest of the run: they only watch.
template <typename Function>
void Track(const char* name, Function* system, Function standIn) {
    *system = reinterpret_cast<Function>(ReplaceImport(name, reinterpret_cast<void*>(standIn)));
}

TEST(DrawingObjects, EveryOneIsDeletedAndNoneWhileSelectedOverManyLayoutsPaintsAndDialogs) {
    Track("SelectObject", &systemSelectObject, TrackSelectObject);
    Track("DeleteObject", &systemDeleteObject, TrackDeleteObject);
    Track("DeleteDC", &systemDeleteDC, TrackDeleteDC);
    Track("ReleaseDC", &systemReleaseDC, TrackReleaseDC);
    Track("EndPaint", &systemEndPaint, TrackEndPaint);
    // Each round lays the window out at another size, paints it in and out of the pause, and
    // opens and closes every dialog of the menu.
    const auto round = [](int i) {
        UseSettings(6 + i % 45, 50 - i % 45, 7 + i % 24, 7 + i % 34);
        settings->GlassBackgrColor = RGB(i, 0, 0);
        LayoutWindow();
        for (uint8_t pause : {0, 1, 0}) {
            paused = pause;
            MarkAllForRepaint();
            InvalidateRect(mainWindow, nullptr, FALSE);
            InvalidateRect(previewPanel, nullptr, FALSE);
            UpdateWindow(mainWindow);
        }
        DialogAnswers answers(
            [](HWND window, const std::string&, int) { Press(window, IDCANCEL); });
        for (WPARAM command : {IDM_ABOUT, IDM_OPTIONS, IDM_HISCORES}) {
            SendMessageA(mainWindow, WM_COMMAND, command, 0);
        }
    };
    round(0); // the system makes some objects of its own at the first use
    const int live = GdiObjectCount();
    for (int i = 1; i < 40 + 2 * GdiCountSlack(); ++i) {
        round(i);
    }
    EXPECT_NEAR(GdiObjectCount(), live, GdiCountSlack());
    EXPECT_EQ(deletionFaults, std::vector<std::string>{});
    UseDefaultSettings();
}

} // namespace
