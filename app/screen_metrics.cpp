#include "app/screen_metrics.h"

#include "app/system_libraries.h"
#include "game/host.h"

namespace {

// A function of user32 in Windows 10 1607 and later, or null. user32 is always loaded, so asking
// it loads nothing.
template <typename Function>
Function NewerUser32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<SystemProcedure>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// The width the menu bar's items take on one line at this DPI, from the items as the system laid
// them out last, at the menu's DPI.
int MenuBarWidth(HWND window, int dpi, int menuDpi) {
    HMENU menu = GetMenu(window);
    int width = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        RECT item;
        if (GetMenuItemRect(window, menu, static_cast<UINT>(i), &item)) {
            width += item.right - item.left;
        }
    }
    return MulDiv(width, dpi, menuDpi);
}

} // namespace

void ScaleFrameWithMonitor(HWND window) {
    const auto enable = NewerUser32Function<BOOL(WINAPI*)(HWND)>("EnableNonClientDpiScaling");
    if (enable != nullptr) {
        // Fails where Windows scales the frame by itself, or not at all: nothing to do there.
        enable(window);
    }
}

int DpiOf(HWND window) {
    const auto dpiForWindow = NewerUser32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (dpiForWindow != nullptr) {
        return static_cast<int>(dpiForWindow(window));
    }
    // Windows 8.1 gives a program aware of each monitor its monitor's effective DPI (type 0).
    const auto dpiForMonitor =
        OptionalSystemFunctionOf<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)>("shcore.dll",
                                                                                "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (dpiForMonitor != nullptr &&
        dpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y) == S_OK) {
        return static_cast<int>(y);
    }
    // Before Windows 8.1 every window of a program has the screen's DPI.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

Box WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const RECT& work = info.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

void SpreadMenuBar(HWND window, HMONITOR monitor) {
    const Box work = WorkAreaOf(monitor);
    SetWindowPos(window, nullptr, work.x, work.y, work.width, TopBandHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

FrameMetrics FrameAt(HWND window, int dpi, int menuDpi) {
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
            metric(SM_CYMENUSIZE), MenuBarWidth(window, dpi, menuDpi),
            metric(SM_CXMINTRACK)};
}
