#include "foreground.h"

#include <string>

namespace {

// Whether the window is in front within about two seconds, while its thread, if it is this one,
// handles the activation.
bool ComesToTheFront(HWND window) {
    for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
    return GetForegroundWindow() == window;
}

// A thread attached to the input of the thread in front shares its right to the foreground.
bool AskWithTheFrontThread(HWND window) {
    const DWORD own = GetCurrentThreadId();
    HWND front = GetForegroundWindow();
    const DWORD frontThread = front != nullptr ? GetWindowThreadProcessId(front, nullptr) : 0;
    const bool attached =
        frontThread != 0 && frontThread != own && AttachThreadInput(own, frontThread, TRUE);
    SetForegroundWindow(window);
    if (attached) {
        AttachThreadInput(own, frontThread, FALSE);
    }
    return ComesToTheFront(window);
}

// A click is input, and Windows gives the foreground to the window that takes it; on top of
// every other window for the moment, the window is sure to take it. The click lands in the
// middle of the client area: the glass, in the windows of these tests, which ignores the mouse.
bool Click(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT middle = {client.right / 2, client.bottom / 2};
    ClientToScreen(window, &middle);
    POINT cursor;
    GetCursorPos(&cursor);
    constexpr UINT Keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, Keep);
    SetCursorPos(middle.x, middle.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    const bool inFront = ComesToTheFront(window);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, Keep);
    SetCursorPos(cursor.x, cursor.y);
    return inFront;
}

std::string Describe(HWND window) {
    if (window == nullptr) {
        return "no window is in front";
    }
    char className[64] = {};
    char title[128] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return std::string("a window of class ") + className + " titled \"" + title + "\" of process " +
           std::to_string(process) + " stays in front";
}

} // namespace

::testing::AssertionResult TakeForeground(HWND window) {
    if (GetForegroundWindow() == window || AskWithTheFrontThread(window) || Click(window)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the test could not bring its window to the foreground, which its keys and paints "
              "need: "
           << Describe(GetForegroundWindow()) << " (this process is " << GetCurrentProcessId()
           << ")";
}
