#include "app/main_window.h"

#include <cstdlib>
#include <cstring>

#include "about/about.h"
#include "app/startup.h"
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
constexpr int LongLabelWidth = 150; // glass width in pixels from which the labels are words

HWND MakeWindow(const char* className, const char* text, int x, int y, int width, int height,
                DWORD style, HWND parent, HMENU menu, DWORD extendedStyle, void* parameter) {
    return CreateWindowExA(extendedStyle, className, text, style, x, y, width, height, parent, menu,
                           appInstance->instance, parameter);
}

// While the window is inactive or in its menu the game pauses by itself; the player's own pause
// is kept aside and comes back with the window.
void AutoPause() {
    savedPaused = paused;
    paused = 1;
}

void AutoResume() {
    paused = savedPaused;
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
    if (window != nullptr) {
        RECT client;
        if (!GetClientRect(window, &client)) {
            return {-1, -1};
        }
        areaWidth = client.right;
        areaHeight = client.bottom;
    } else {
        areaWidth = GetSystemMetrics(SM_CXSCREEN);
        areaHeight = GetSystemMetrics(SM_CYSCREEN);
    }
    return {width > areaWidth ? 0 : (areaWidth - width) / 2,
            height > areaHeight ? 0 : (areaHeight - height) / 2};
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
}

void LayoutWindow() {
    ShowWindow(mainWindow, SW_HIDE);
    settings->ClientWidth = settings->BrksPerLine * settings->BrkWidth;
    settings->ClientHeight = settings->BrksPerColumn * settings->BrkHeight + TopBandHeight;

    RECT frame = {100, 100, 100 + settings->ClientWidth, 100 + settings->ClientHeight};
    if (!AdjustWindowRect(&frame, MainWindowStyle, TRUE)) {
        RuntimeAssert("Droppa", __LINE__);
    }
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    POINT corner = CenterIn(width, height, nullptr);
    MoveWindow(mainWindow, corner.x, corner.y, width, height, TRUE);

    // A menu bar too narrow for its items wraps onto a second line and takes its height from
    // the glass: give the window that much more.
    RECT client;
    if (GetClientRect(mainWindow, &client) && client.bottom != settings->ClientHeight) {
        height += settings->ClientHeight - client.bottom;
        corner = CenterIn(width, height, nullptr);
        MoveWindow(mainWindow, corner.x, corner.y, width, height, TRUE);
    }

    const int w = settings->ClientWidth;
    MoveWindow(resetButton, 0, 0, w / 2, ButtonHeight, FALSE);
    MoveWindow(pauseButton, w / 2, 0, w - w / 2, ButtonHeight, FALSE);
    MoveWindow(scorePanel, 0, ButtonHeight, w - PreviewSize, PreviewSize, FALSE);
    MoveWindow(previewPanel, w - PreviewSize, ButtonHeight, PreviewSize, PreviewSize, FALSE);

    BuildBrickImages();
    InvalidateRect(previewPanel, nullptr, FALSE);

    const bool wide = w >= LongLabelWidth;
    std::strcpy(resetLabel, wide ? "Reset" : "R");
    std::strcpy(pauseLabel, wide ? "Pause" : "P");
    std::strcpy(unpauseLabel, wide ? "Unpause" : "U");
    SetWindowTextA(resetButton, resetLabel);
    SetWindowTextA(pauseButton, userPaused ? unpauseLabel : pauseLabel);

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
        panelFont =
            CreateFontA(18, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
        if (panelFont == nullptr) {
            RuntimeAssert("Droppa", __LINE__);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_MOVE:
        // Flags only: whatever paint comes next redraws the whole glass.
        MarkAllForRepaint();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            AutoPause();
        } else {
            AutoResume();
        }
        MarkAllForRepaint();
        InvalidateRect(mainWindow, nullptr, FALSE);
        return 0;
    case WM_PAINT:
        PaintGlass(window);
        return 0;
    case WM_CLOSE:
        AskToQuit();
        return 0;
    case WM_ENDSESSION:
        // Windows is ending the session and will not let the game reach its own quit path.
        if (wParam) {
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
        AutoPause();
        InvalidateRect(mainWindow, nullptr, FALSE);
        return 0;
    case WM_EXITMENULOOP:
        AutoResume();
        MarkAllForRepaint();
        InvalidateRect(mainWindow, nullptr, FALSE);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
