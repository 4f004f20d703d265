#include "app/main_window.h"

#include <imm.h>

#include "app/apply_layout.h"
#include "app/desktop_pause.h"
#include "app/gamepad.h"
#include "app/menu_commands.h"
#include "app/screen_metrics.h"
#include "app/session_end.h"
#include "app/shell_state.h"
#include "display/glass_painting.h"
#include "game/glass.h"
#include "game/host.h"
#include "resources/resource_ids.h"

namespace {

HWND MakeWindow(const char* className, const char* text, int x, int y, int width, int height,
                DWORD style, HWND parent, HMENU menu, DWORD extendedStyle, void* parameter) {
    return CreateWindowExA(extendedStyle, className, text, style, x, y, width, height, parent, menu,
                           appInstance->instance, parameter);
}

} // namespace

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
    WatchSession(mainWindow);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        ScaleFrameWithMonitor(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_CREATE:
        // At the default layout's DPI; a layout at another DPI makes it again.
        panelFont = MakePanelFont(windowLayout.panelFont);
        return 0;
    case WM_DESTROY:
        StopWatchingSession(window);
        PostQuitMessage(0);
        return 0;
    case WM_MOVE:
        // Flags only: whatever paint comes next redraws the whole glass.
        MarkAllForRepaint();
        return 0;
    case WM_ACTIVATE:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_WTSSESSION_CHANGE:
    case WM_POWERBROADCAST:
        return DesktopMessage(message, wParam);
    case WM_ACTIVATEAPP:
        PadsInFront(wParam != FALSE);
        return 0;
    case WM_DEVICECHANGE:
        FindPads();
        return TRUE;
    case WM_PADREADING:
        PadRead(wParam, lParam);
        return 0;
    case WM_DISPLAYCHANGE:
        // The window may no longer fit, and the brick images must be made in the screen's format.
        LayOutForDisplay();
        return 0;
    case WM_DPICHANGED:
        LayOutForDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_PAINT:
        PaintGlass(window);
        return 0;
    case WM_CLOSE:
        AskToQuit();
        return 0;
    case WM_ENDSESSION:
        EndSession(wParam);
        return 0;
    case WM_DRAWITEM:
        DrawPreview(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 0;
    case WM_COMMAND:
        Command(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(0, 0, 0));
        SetTextColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
