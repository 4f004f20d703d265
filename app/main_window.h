// The main window: the Reset and Pause buttons, the score panel and the preview above the glass,
// which is drawn straight onto the client area.
#pragma once

#include <windows.h>

#include "app/window_layout.h"

// Created once at start-up, never destroyed before the player quits.
extern HWND mainWindow;
extern HWND resetButton;
extern HWND pauseButton;
extern HWND scorePanel;
extern HWND previewPanel;
extern HFONT panelFont; // the buttons' and the score panel's font, made for the layout's DPI

// The window as laid out for its screen: the bricks as drawn and every length the painters use.
// Written by every layout; the player's own sizes stay in the settings.
extern WindowLayout windowLayout;

// The button labels of the last layout: long ones for a glass of 150 pixels or wider.
extern char resetLabel[8];
extern char pauseLabel[8];
extern char unpauseLabel[8];

// One of these, chosen at random, asks the player before the program quits.
constexpr int QuitMessageCount = 8;
extern const char* const QuitMessages[QuitMessageCount];

// Registers the class and creates the hidden main window and its four controls.
void CreateMainWindow();

// Sizes the window for the settings at its DPI and centres it in the work area of its monitor,
// places the controls, rebuilds the brick images, labels the buttons and shows the window. Bricks
// whose window would not fit the work area are drawn smaller, by one factor for both sides; the
// settings keep the player's sizes.
void LayoutWindow();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void MenuCommand(HWND window, WPARAM command);

// The top-left corner at which a box of this size is centred in the window's client area, or in the
// work area of the main window's monitor when no window is given; on an axis where the box is
// larger, the area's edge. (-1, -1) when the client area cannot be read.
POINT CenterIn(int width, int height, HWND window);

ATOM RegisterWindowClass(const char* className, WNDPROC procedure, HICON icon, HICON smallIcon,
                         HCURSOR cursor, HBRUSH background, UINT style);
