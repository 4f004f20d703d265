// The Options dialog: brick size, glass size, figure set and the glass background colour.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// OK: stores the four sizes, lays the window out again and tries to save the settings when all are
// in range; otherwise tells the player about the last wrong one and keeps the dialog open.
void ApplyOptions(HWND dialog);
