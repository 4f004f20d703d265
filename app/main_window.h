// The main window: the Reset and Pause buttons, the score panel and the preview above the glass,
// which is drawn straight onto the client area. Its handles live in app/shell_state.h; each of
// its concerns in a file of app/ named for it, to which the window procedure hands its messages.
#pragma once

#include <windows.h>

// Registers the class and creates the hidden main window and its four controls.
void CreateMainWindow();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
