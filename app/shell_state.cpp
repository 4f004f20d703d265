#include "app/shell_state.h"

#include "app/screen_metrics.h"

AppInstance* appInstance = nullptr;

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
