#include "about/about.h"

#include <cstring>
#include <initializer_list>

#include "app/shell_state.h"
#include "game/host.h"
#include "resources/resource_ids.h"

// Font flag, CreditColors index, text. The blank lines are black on black: they only make gaps,
// and the five at the end a pause before the credits start again.
constexpr CreditLine CreditLines[CreditLineCount + 1] = {
    {1, 6, "W i n d o w s"},
    {1, 6, "S t a k k o !"},
    {0, 0, " "},
    {0, 6, "by Brindlewick Software"},
    {0, 7, "Freeware. Copy and share freely."},
    {0, 7, "Web-site: stakko.example.org"},
    {0, 7, "E-Mail: help@stakko.example.org"},
    {0, 0, " "},
    {1, 4, "The control keys are:"},
    {0, 6, "Left arrow = move left"},
    {0, 6, "Right arrow = move right"},
    {0, 6, "Up arrow = rotate figure"},
    {0, 6, "Down arrow = move down"},
    {0, 6, "Space = drop figure"},
    {0, 6, "P = pause the game"},
    {0, 0, " "},
    {1, 7, "Have fun!"},
    {0, 0, " "},
    {0, 0, " "},
    {0, 0, " "},
    {0, 0, " "},
    {0, 0, " "},
    {0, 0, ""},
};

// Black, blue, green, cyan, red, magenta, yellow, white.
constexpr COLORREF CreditColors[CreditColorCount] = {
    RGB(0, 0, 0),   RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
    RGB(255, 0, 0), RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255),
};

int creditIndex = 0;
int creditScroll = 0;

namespace {

// Made by SetUpCredits, and again for a layout at another DPI.
HFONT bigFont = nullptr;
HFONT smallFont = nullptr;
int fontDpi = 0;

HFONT MakeFont(int height, BOOL italic, const char* face) {
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, italic, FALSE, FALSE, 0, 0, 0, 0, 0, face);
    if (font == nullptr) {
        RuntimeAssert("About", __LINE__);
    }
    return font;
}

void MakeFontsForLayout() {
    if (fontDpi == windowLayout.dpi) {
        return;
    }
    // Fonts made before are selected into no context: each paint puts back the one it found.
    for (HFONT font : {smallFont, bigFont}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
    smallFont = MakeFont(windowLayout.smallCreditFont, TRUE, "Times New Roman");
    bigFont = MakeFont(windowLayout.bigCreditFont, FALSE, "Arial Black");
    fontDpi = windowLayout.dpi;
}

// Back to line 0 on a black field: the erase paints the class's black background.
void RestartCredits(HWND dialog) {
    creditIndex = 0;
    creditScroll = 0;
    // The dialog is moved and activated before its controls exist, and a null window here would
    // mean every window on the screen.
    HWND credits = GetDlgItem(dialog, IDC_CREDITS);
    if (credits != nullptr) {
        InvalidateRect(credits, nullptr, TRUE);
    }
}

void AdvanceCredits() {
    if (creditScroll < windowLayout.creditRise) {
        creditScroll += windowLayout.creditStep;
        return;
    }
    creditScroll = 0;
    ++creditIndex;
    if (CreditLines[creditIndex].text[0] == '\0') {
        creditIndex = 0;
    }
}

// Every tick moves what is on the window up by two pixels and draws the rising line two pixels
// higher, so the earlier lines travel up in step with it; nothing is ever erased.
void PaintCredits(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const CreditLine& line = CreditLines[creditIndex];
    SetBkColor(dc, CreditColors[0]);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, CreditColors[line.color]);
    HGDIOBJ oldFont = SelectObject(dc, line.bigFont != 0 ? bigFont : smallFont);

    RECT client;
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    const int length = static_cast<int>(std::strlen(line.text));
    SIZE extent;
    if (!GetTextExtentPoint32A(dc, line.text, length, &extent)) {
        RuntimeAssert("About", __LINE__);
    }

    const int step = windowLayout.creditStep;
    BitBlt(dc, 0, 0, width, height - step, dc, 0, step, SRCCOPY);
    // A line wider than the window starts at its left edge, so that at least its beginning
    // (the "Web-site: " or "E-Mail: ") can be read.
    const int x = extent.cx > width ? 0 : (width - extent.cx) / 2;
    const int y = height - creditScroll;
    TextOutA(dc, x, y, line.text, length);
    // The scroll leaves the bottom rows as they were, now also copied a step up: once the line
    // has risen clear of the edge, that copy is what lies under it.
    const RECT strip = {0, y + extent.cy, width, y + extent.cy + step};
    FillRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

} // namespace

void SetUpCredits() {
    if (RegisterWindowClass("DroppaCastWndClass", CreditsWndProc, nullptr, nullptr,
                            LoadCursorA(nullptr, IDC_ARROW),
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                            CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS) == 0) {
        RuntimeAssert("About", __LINE__);
    }
    MakeFontsForLayout();
}

void ShowAbout() {
    MakeFontsForLayout();
    if (DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_ABOUT), mainWindow,
                        AboutDlgProc, 0) == -1) {
        RuntimeAssert("About", __LINE__);
    }
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_MOVE:
    case WM_ACTIVATE:
        RestartCredits(dialog);
        return TRUE;
    case WM_COMMAND:
        // OK, Enter and Escape all arrive with a notification code of 0.
        if (HIWORD(wParam) == 0) {
            EndDialog(dialog, 0);
        } else {
            RestartCredits(dialog);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK CreditsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        creditIndex = 0;
        creditScroll = 0;
        if (SetTimer(window, CreditTimerId, CreditTimerPeriod, nullptr) == 0) {
            RuntimeAssert("About", __LINE__);
        }
        return 0;
    case WM_DESTROY:
        KillTimer(window, CreditTimerId);
        return 0;
    case WM_TIMER:
        AdvanceCredits();
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_PAINT:
        PaintCredits(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
