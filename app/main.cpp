#include <windows.h>

#include "app/pump.h"

namespace {

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool PassAll(const Event&) {
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "DroppaMainWndClass";
    if (RegisterClassExA(&windowClass) == 0) {
        RuntimeAssert("Droppa", __LINE__);
    }
    HWND window = CreateWindowExA(0, "DroppaMainWndClass", "Windows Stakko",
                                  WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 200, 400, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    ShowWindow(window, SW_SHOW);
    PumpMessages(PassAll);
    return 0;
}
