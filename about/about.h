// The About box: a modal dialog whose small black credits window lets coloured lines of credits
// and key help rise from its bottom edge, one after another, for as long as it is open.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/window_layout.h"

constexpr int CreditLineCount = 22; // lines before the terminating entry
constexpr int CreditColorCount = 8;
constexpr UINT CreditTimerId = 1;      // of the credits window
constexpr UINT CreditTimerPeriod = 80; // milliseconds

struct CreditLine {
    uint8_t bigFont;  // non-zero: the big font, else the small one
    int32_t color;    // CreditColors index
    const char* text; // empty only in the terminating entry, which is never shown
};

extern const CreditLine CreditLines[CreditLineCount + 1];
extern const COLORREF CreditColors[CreditColorCount];

// The line now rising and how far it has risen above the bottom edge (0 to the layout's
// creditRise, in its creditStep).
// Written by the credits window as it ticks and by the About dialog when it restarts them.
extern int creditIndex;
extern int creditScroll;

// Registers the credits window class and creates the two fonts; once, at start-up, after the main
// window exists.
void SetUpCredits();

// Runs the About dialog modally, owned by the main window; returns when the player closes it. The
// fonts are made again first when the window was laid out at another DPI since they were made.
void ShowAbout();

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CreditsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
