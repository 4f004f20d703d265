#include "app/apply_layout.h"

#include <cstring>
#include <initializer_list>

#include "app/screen_metrics.h"
#include "app/shell_state.h"
#include "display/bricks.h"
#include "display/glass_painting.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/host.h"
#include "settings/settings.h"

namespace {

void MoveTo(HWND control, const Box& box) {
    MoveWindow(control, box.x, box.y, box.width, box.height, FALSE);
}

// Lays the window out for the settings at this DPI in the monitor's work area, without showing,
// hiding or activating it. The menu bar was laid out last at the menu's DPI.
void ApplyLayout(int dpi, int menuDpi, HMONITOR monitor, Placement placement, int x, int y) {
    const LayoutRequest request = {settings->BrkWidth,
                                   settings->BrkHeight,
                                   settings->BrksPerLine,
                                   settings->BrksPerColumn,
                                   dpi,
                                   WorkAreaOf(monitor),
                                   FrameAt(mainWindow, dpi, menuDpi),
                                   placement,
                                   x,
                                   y};
    const int fontDpi = windowLayout.dpi;
    windowLayout = PlanLayout(request);
    settings->ClientWidth = windowLayout.glassWidth;
    settings->ClientHeight = windowLayout.glassTop + windowLayout.glassHeight;

    const Box& frame = windowLayout.window;
    SetWindowPos(mainWindow, nullptr, frame.x, frame.y, frame.width, frame.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    MoveTo(resetButton, windowLayout.resetButton);
    MoveTo(pauseButton, windowLayout.pauseButton);
    MoveTo(scorePanel, windowLayout.scorePanel);
    MoveTo(previewPanel, windowLayout.previewPanel);
    if (dpi != fontDpi) {
        HFONT previous = panelFont;
        panelFont = MakePanelFont(windowLayout.panelFont);
        for (HWND control : {resetButton, pauseButton, scorePanel}) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), TRUE);
        }
        DeleteObject(previous);
    }

    BuildBrickImages();
    InvalidateRect(previewPanel, nullptr, FALSE);

    const bool wide = windowLayout.longLabels;
    std::strcpy(resetLabel, wide ? "Reset" : "R");
    std::strcpy(pauseLabel, wide ? "Pause" : "P");
    std::strcpy(unpauseLabel, wide ? "Unpause" : "U");
    SetWindowTextA(resetButton, resetLabel);
    SetWindowTextA(pauseButton, userPaused ? unpauseLabel : pauseLabel);
}

// Another screen under the window: it is laid out again where it is, without taking the keyboard
// from a dialog that has it, and every cell is drawn anew.
void LayOutAgain(int dpi, HMONITOR monitor, Placement placement, int x, int y) {
    ApplyLayout(dpi, windowLayout.dpi, monitor, placement, x, y);
    UpdateScorePanel();
    MarkAllForRepaint();
    InvalidateRect(mainWindow, nullptr, FALSE);
}

} // namespace

HFONT MakePanelFont(int height) {
    HFONT font =
        CreateFontA(height, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    if (font == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    return font;
}

void LayoutWindow() {
    ShowWindow(mainWindow, SW_HIDE);
    // Before the first layout the window lies at the screen's origin, on the primary monitor.
    HMONITOR monitor = MonitorFromWindow(mainWindow, MONITOR_DEFAULTTOPRIMARY);
    SpreadMenuBar(mainWindow, monitor);
    const int dpi = DpiOf(mainWindow);
    ApplyLayout(dpi, dpi, monitor, Placement::Centred, 0, 0);
    // The show command the program was started with is not used: the window always shows, and
    // shows normally even where Windows applies that command to a program's first showing.
    ShowWindow(mainWindow, SW_SHOW);
    if (IsIconic(mainWindow)) {
        ShowWindow(mainWindow, SW_RESTORE);
    }
    UpdateScorePanel();
}

void LayOutForDisplay() {
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    LayOutAgain(DpiOf(mainWindow), MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST),
                Placement::Kept, frame.left, frame.top);
}

void LayOutForDpi(int dpi, const RECT& suggested) {
    LayOutAgain(dpi, MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), Placement::MovedInto,
                suggested.left, suggested.top);
}
