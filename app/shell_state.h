// What the program's windows share: the instance they belong to, the main window's handles, font,
// layout and labels, and the two helpers every window of the program uses. The painters and the
// dialogs read it; start-up, the main window and its layout write it.
#pragma once

#include <windows.h>

#include "app/window_layout.h"

// What the entry point was given; created at entry and kept for the whole run.
struct AppInstance {
    HINSTANCE instance;
    HINSTANCE prevInstance;
    char* commandLine; // without the program's own name
    int showCommand;
};

extern AppInstance* appInstance;

// Created once at start-up by CreateMainWindow, never destroyed before the player quits.
extern HWND mainWindow;
extern HWND resetButton;
extern HWND pauseButton;
extern HWND scorePanel;
extern HWND previewPanel;
extern HFONT panelFont; // the buttons' and the score panel's font, made by the layout for its DPI

// The window as laid out for its screen: the bricks as drawn and every length the painters use.
// Written by every layout; the player's own sizes stay in the settings.
extern WindowLayout windowLayout;

// The button labels of the last layout: long ones for a glass of 150 pixels or wider.
extern char resetLabel[8];
extern char pauseLabel[8];
extern char unpauseLabel[8];

// The top-left corner at which a box of this size is centred in the window's client area, or in the
// work area of the main window's monitor when no window is given; on an axis where the box is
// larger, the area's edge. (-1, -1) when the client area cannot be read.
POINT CenterIn(int width, int height, HWND window);

ATOM RegisterWindowClass(const char* className, WNDPROC procedure, HICON icon, HICON smallIcon,
                         HCURSOR cursor, HBRUSH background, UINT style);
