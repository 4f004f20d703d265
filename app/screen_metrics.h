// What Windows tells of the screen under the main window, as the layout rule takes it: the DPI,
// the work area and the frame. Functions of newer Windows are looked up at run time rather than
// imported, so that the program still starts on Windows 7 and 8.
#pragma once

#include <windows.h>

#include "app/window_layout.h"

// A caption with the system menu and a menu bar; no sizing border, no minimise or maximise box.
constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// Asks Windows 10 1607, which takes the manifest's per-monitor awareness of its first version, to
// scale this window's caption, menu bar and borders with its monitor, as later versions do by
// themselves. Called while the window is made (WM_NCCREATE); elsewhere it changes nothing.
void ScaleFrameWithMonitor(HWND window);

// The DPI the window is drawn at: its own from Windows 10 1607, its monitor's on Windows 8.1 and
// the first Windows 10, the screen's before that.
int DpiOf(HWND window);

// The work area of a monitor: its screen less the taskbar and other docked bars.
Box WorkAreaOf(HMONITOR monitor);

// Lays the hidden window's menu bar out on one line, over its monitor's whole work area, so that
// FrameAt measures every item: the window stays on that monitor, and so at its DPI.
void SpreadMenuBar(HWND window, HMONITOR monitor);

// What the system adds around the window's client area at this DPI; its menu bar was laid out
// last at menuDpi.
FrameMetrics FrameAt(HWND window, int dpi, int menuDpi);
