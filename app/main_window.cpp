#include "app/main_window.h"

#include <imm.h>
#include <wtsapi32.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "about/about.h"
#include "app/startup.h"
#include "app/system_libraries.h"
#include "display/bricks.h"
#include "display/glass_painting.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/host.h"
#include "resources/resource_ids.h"
#include "settings/hiscore_dialogs.h"
#include "settings/options_dialog.h"
#include "settings/settings.h"
#include "settings/store.h"

HWND mainWindow = nullptr;
HWND resetButton = nullptr;
HWND pauseButton = nullptr;
HWND scorePanel = nullptr;
HWND previewPanel = nullptr;
HFONT panelFont = nullptr;
WindowLayout windowLayout;

char resetLabel[8] = "";
char pauseLabel[8] = "";
char unpauseLabel[8] = "";

const char* const QuitMessages[QuitMessageCount] = {
    "Are You sure You want to quit this game?",
    "Do You really want to leave such cool game?",
    "Click YES to quit this cool game,\nNO to continue having fun",
    "Click NO to continue playing Stakko,\nYES to exit",
    "If You still want to play, click NO!",
    "This is Your last chance to click NO\nand return to the game",
    "Click NO to take more Stakko!",
    "Why?\nWell... YES to exit, NO to play",
};

namespace {

constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

HWND MakeWindow(const char* className, const char* text, int x, int y, int width, int height,
                DWORD style, HWND parent, HMENU menu, DWORD extendedStyle, void* parameter) {
    return CreateWindowExA(extendedStyle, className, text, style, x, y, width, height, parent, menu,
                           appInstance->instance, parameter);
}

// The glass turns black at once, and is drawn whole when the game goes on.
void RedrawGlass() {
    MarkAllForRepaint();
    InvalidateRect(mainWindow, nullptr, FALSE);
}

void PauseOrResume(PauseEvent event) {
    AutoPauseEvent(event);
    RedrawGlass();
}

using SessionNotificationCall = BOOL(WINAPI*)(HWND);
SessionNotificationCall unregisterSessionNotification = nullptr;

// A lock, a switch to another user or a disconnected remote session changes the desktop without
// deactivating the window.
void RegisterForSessionNotifications() {
    const auto registerSession = SystemFunctionOf<BOOL(WINAPI*)(HWND, DWORD)>(
        "wtsapi32.dll", "WTSRegisterSessionNotification");
    unregisterSessionNotification = SystemFunctionOf<SessionNotificationCall>(
        "wtsapi32.dll", "WTSUnRegisterSessionNotification");
    // Early in a sign-in the session service may not run yet; the game plays without it.
    registerSession(mainWindow, NOTIFY_FOR_THIS_SESSION);
}

void SessionChanged(WPARAM change) {
    switch (change) {
    case WTS_SESSION_LOCK:
        PauseOrResume(PauseEvent::SessionLocked);
        break;
    case WTS_SESSION_UNLOCK:
        PauseOrResume(PauseEvent::SessionUnlocked);
        break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        PauseOrResume(PauseEvent::SessionDisconnected);
        break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        PauseOrResume(PauseEvent::SessionConnected);
        break;
    default:
        break;
    }
}

void PowerChanged(WPARAM change) {
    if (change == PBT_APMSUSPEND) {
        PauseOrResume(PauseEvent::Suspended);
    } else if (change == PBT_APMRESUMESUSPEND) {
        // Only a resume that the player started: one that a timer started plays to nobody.
        PauseOrResume(PauseEvent::ResumedByPlayer);
    }
}

// A function of Windows 10 1607 and later, or null: looked up rather than imported, so that the
// program still starts on Windows 7 and 8. user32 is always loaded, so asking it loads nothing.
template <typename Function>
Function NewerUser32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<SystemProcedure>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

int DpiOf(HWND window) {
    const auto dpiForWindow = NewerUser32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (dpiForWindow != nullptr) {
        return static_cast<int>(dpiForWindow(window));
    }
    // Before Windows 10 every window of a program has the screen's DPI.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT MakePanelFont(int height) {
    HFONT font =
        CreateFontA(height, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    if (font == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    return font;
}

// The work area of a monitor: its screen less the taskbar and other docked bars.
Box WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const RECT& work = info.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

// The width the menu bar's items take on one line at this DPI, from the items as the system laid
// them out last, at the menu's DPI.
int MenuBarWidth(int dpi, int menuDpi) {
    HMENU menu = GetMenu(mainWindow);
    int width = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        RECT item;
        if (GetMenuItemRect(mainWindow, menu, static_cast<UINT>(i), &item)) {
            width += item.right - item.left;
        }
    }
    return MulDiv(width, dpi, menuDpi);
}

FrameMetrics FrameAt(int dpi, int menuDpi) {
    const auto adjustForDpi = NewerUser32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(
        "AdjustWindowRectExForDpi");
    const auto metricForDpi =
        NewerUser32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    RECT frame = {0, 0, 0, 0};
    const BOOL adjusted = adjustForDpi != nullptr
                              ? adjustForDpi(&frame, MainWindowStyle, TRUE, 0, dpi)
                              : AdjustWindowRectEx(&frame, MainWindowStyle, TRUE, 0);
    if (!adjusted) {
        RuntimeAssert("Droppa", __LINE__);
    }
    const auto metric = [&](int index) {
        return metricForDpi != nullptr ? metricForDpi(index, dpi) : GetSystemMetrics(index);
    };
    return {-frame.left,           -frame.top,
            frame.right,           frame.bottom,
            metric(SM_CYMENUSIZE), MenuBarWidth(dpi, menuDpi),
            metric(SM_CXMINTRACK)};
}

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
                                   FrameAt(dpi, menuDpi),
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
    RedrawGlass();
}

void AskToQuit() {
    const char* text = QuitMessages[std::rand() % QuitMessageCount];
    if (MessageBoxA(mainWindow, text, "Exit Stakko game", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        DestroyWindow(mainWindow);
    }
}

} // namespace

ATOM RegisterWindowClass(const char* className, WNDPROC procedure, HICON icon, HICON smallIcon,
                         HCURSOR cursor, HBRUSH background, UINT style) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = appInstance->instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    windowClass.hIconSm = smallIcon;
    return RegisterClassExA(&windowClass);
}

POINT CenterIn(int width, int height, HWND window) {
    int areaWidth = 0;
    int areaHeight = 0;
    POINT origin = {0, 0};
    if (window != nullptr) {
        RECT client;
        if (!GetClientRect(window, &client)) {
            return {-1, -1};
        }
        areaWidth = client.right;
        areaHeight = client.bottom;
    } else {
        const Box work = WorkAreaOf(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTOPRIMARY));
        areaWidth = work.width;
        areaHeight = work.height;
        origin = {work.x, work.y};
    }
    return {origin.x + (width > areaWidth ? 0 : (areaWidth - width) / 2),
            origin.y + (height > areaHeight ? 0 : (areaHeight - height) / 2)};
}

void CreateMainWindow() {
    HINSTANCE instance = appInstance->instance;
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_STAKKO));
    auto smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_STAKKO),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
    if (RegisterWindowClass("DroppaMainWndClass", MainWndProc, icon, smallIcon,
                            LoadCursorA(nullptr, IDC_ARROW),
                            static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)),
                            CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS) == 0) {
        RuntimeAssert("Droppa", __LINE__);
    }
    // Everything starts at 50 x 50: the layout sizes and places it before the window is shown.
    mainWindow =
        MakeWindow("DroppaMainWndClass", "Windows Stakko", 0, 0, 50, 50, MainWindowStyle, nullptr,
                   LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU)), 0, nullptr);
    if (mainWindow == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    resetButton = MakeWindow("BUTTON", resetLabel, 0, 0, 50, 50, buttonStyle, mainWindow, nullptr,
                             0, nullptr);
    pauseButton = MakeWindow("BUTTON", pauseLabel, 0, 0, 50, 50, buttonStyle, mainWindow, nullptr,
                             0, nullptr);
    if (resetButton == nullptr || pauseButton == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    scorePanel = MakeWindow("STATIC", "", 0, 0, 50, 50, WS_CHILD | WS_VISIBLE | SS_CENTER,
                            mainWindow, nullptr, 0, nullptr);
    if (scorePanel == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    previewPanel = MakeWindow("STATIC", "", 0, 0, 50, 50, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW,
                              mainWindow, nullptr, 0, nullptr);
    if (previewPanel == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    // With an input method on, the keys would compose text instead of playing. The result is not
    // checked: where Windows runs no input methods there is nothing to take away.
    ImmAssociateContextEx(mainWindow, nullptr, 0);
    ImmAssociateContextEx(mainWindow, nullptr, IACE_CHILDREN);
    RegisterForSessionNotifications();
}

void LayoutWindow() {
    ShowWindow(mainWindow, SW_HIDE);
    // The menu bar's items are measured in a window wide enough to take them all on one line.
    // Before the first layout the window lies at the screen's origin, on the primary monitor.
    HMONITOR monitor = MonitorFromWindow(mainWindow, MONITOR_DEFAULTTOPRIMARY);
    SetWindowPos(mainWindow, nullptr, 0, 0, WorkAreaOf(monitor).width, TopBandHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
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

void MenuCommand(HWND, WPARAM command) {
    // Dialogs are always owned by the main window, whichever window the command came from.
    switch (LOWORD(command)) {
    case IDM_OPTIONS:
        DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_OPTIONS), mainWindow,
                        OptionsDlgProc, 0);
        break;
    case IDM_ABOUT:
        ShowAbout();
        break;
    case IDM_HISCORES:
        DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_HISCORES), mainWindow,
                        HiScoresDlgProc, 0);
        break;
    case IDM_EXIT:
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // At the default layout's DPI; a layout at another DPI makes it again.
        panelFont = MakePanelFont(windowLayout.panelFont);
        return 0;
    case WM_DESTROY:
        unregisterSessionNotification(mainWindow);
        PostQuitMessage(0);
        return 0;
    case WM_MOVE:
        // Flags only: whatever paint comes next redraws the whole glass.
        MarkAllForRepaint();
        return 0;
    case WM_ACTIVATE:
        PauseOrResume(LOWORD(wParam) == WA_INACTIVE ? PauseEvent::Deactivated
                                                    : PauseEvent::Activated);
        return 0;
    case WM_WTSSESSION_CHANGE:
        SessionChanged(wParam);
        return 0;
    case WM_POWERBROADCAST:
        PowerChanged(wParam);
        return TRUE;
    case WM_DISPLAYCHANGE: {
        // Another resolution or colour depth, or a monitor gone: the window may no longer fit,
        // and the brick images must be made in the screen's new format. It stays where the
        // player put it while it fits there.
        RECT frame;
        GetWindowRect(mainWindow, &frame);
        LayOutAgain(DpiOf(mainWindow), MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST),
                    Placement::Kept, frame.left, frame.top);
        return 0;
    }
    case WM_DPICHANGED: {
        // Dragged to a monitor of another scale, or the scale changed: at the place the system
        // suggests, inside that monitor's work area.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        LayOutAgain(HIWORD(wParam), MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST),
                    Placement::MovedInto, suggested->left, suggested->top);
        return 0;
    }
    case WM_PAINT:
        PaintGlass(window);
        return 0;
    case WM_CLOSE:
        AskToQuit();
        return 0;
    case WM_ENDSESSION:
        // Windows is ending the session and will not let the game reach its own quit path.
        if (wParam) {
            EnterHiScoreBeforeSessionEnds();
            SaveSettings(settings);
        }
        return 0;
    case WM_DRAWITEM:
        DrawPreview(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) {
            MenuCommand(window, wParam);
            if (reinterpret_cast<HWND>(lParam) == resetButton) {
                ConfirmReset();
            } else if (reinterpret_cast<HWND>(lParam) == pauseButton) {
                TogglePause();
            }
        }
        return 0;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(0, 0, 0));
        SetTextColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    case WM_ENTERMENULOOP:
        // Black at once; the cells need no flags until the menu closes.
        AutoPauseEvent(PauseEvent::MenuEntered);
        InvalidateRect(mainWindow, nullptr, FALSE);
        return 0;
    case WM_EXITMENULOOP:
        PauseOrResume(PauseEvent::MenuLeft);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
