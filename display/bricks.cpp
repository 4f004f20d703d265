#include "display/bricks.h"

#include "app/shell_state.h"
#include "game/host.h"

// Face colour, then flat colour; RGB puts red in the low byte.
BrickColor BrickColorTable[BrickColorCount] = {
    {RGB(220, 220, 255), RGB(255, 255, 255), nullptr, nullptr}, // row flash, white
    {RGB(100, 100, 100), RGB(0, 0, 0), nullptr, nullptr},       // row flash, black
    {RGB(0, 100, 255), RGB(0, 0, 255), nullptr, nullptr},       // blue
    {RGB(100, 255, 0), RGB(0, 255, 0), nullptr, nullptr},       // green
    {RGB(0, 220, 255), RGB(0, 255, 255), nullptr, nullptr},     // cyan
    {RGB(255, 100, 0), RGB(255, 0, 0), nullptr, nullptr},       // red
    {RGB(255, 0, 200), RGB(255, 0, 255), nullptr, nullptr},     // magenta
    {RGB(200, 255, 0), RGB(255, 255, 0), nullptr, nullptr},     // yellow
};

namespace {

// Each channel halfway to white, rounded down.
COLORREF Lighter(COLORREF color) {
    return RGB((GetRValue(color) + 255) / 2, (GetGValue(color) + 255) / 2,
               (GetBValue(color) + 255) / 2);
}

// Each channel halved, rounded down.
COLORREF Darker(COLORREF color) {
    return RGB(GetRValue(color) / 2, GetGValue(color) / 2, GetBValue(color) / 2);
}

} // namespace

void DrawBrick(COLORREF face, HDC dc) {
    const int w = windowLayout.brickWidth;
    const int h = windowLayout.brickHeight;
    HBRUSH faceBrush = CreateSolidBrush(face);
    if (faceBrush == nullptr) {
        RuntimeAssert("Glass", __LINE__);
    }
    HPEN lightPen = CreatePen(PS_SOLID, 1, Lighter(face));
    if (lightPen == nullptr) {
        RuntimeAssert("Glass", __LINE__);
    }
    HPEN darkPen = CreatePen(PS_SOLID, 1, Darker(face));
    if (darkPen == nullptr) {
        RuntimeAssert("Glass", __LINE__);
    }

    const RECT whole = {0, 0, w, h};
    FillRect(dc, &whole, faceBrush);

    // Each edge is lines of one pixel, one inside the other. Lines leave out their end points, so
    // the light and dark edges meet without overlapping.
    HGDIOBJ previousPen = SelectObject(dc, lightPen);
    for (int k = 0; k < windowLayout.bevel; ++k) {
        MoveToEx(dc, w - 1 - k, k, nullptr);
        LineTo(dc, k, k);
        LineTo(dc, k, h - k);
    }
    SelectObject(dc, darkPen);
    for (int k = 0; k < windowLayout.bevel; ++k) {
        MoveToEx(dc, w - 1 - k, 1 + k, nullptr);
        LineTo(dc, w - 1 - k, h - 1 - k);
        LineTo(dc, k, h - 1 - k);
    }

    // A pen still selected into a context cannot be deleted.
    SelectObject(dc, previousPen);
    DeleteObject(darkPen);
    DeleteObject(lightPen);
    DeleteObject(faceBrush);
}

void BuildBrickImages() {
    HDC windowDc = GetDC(mainWindow);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    if (memoryDc == nullptr) {
        RuntimeAssert("Glass", __LINE__);
    }
    // The context's own one-pixel bitmap, put back so that no image stays selected.
    HGDIOBJ originalBitmap = GetCurrentObject(memoryDc, OBJ_BITMAP);
    for (BrickColor& entry : BrickColorTable) {
        if (entry.bitmap != nullptr) {
            DeleteObject(entry.bitmap);
        }
        if (entry.brush != nullptr) {
            DeleteObject(entry.brush);
        }
        // Compatible with the window, not the memory context, to get the display's colour format.
        entry.bitmap =
            CreateCompatibleBitmap(windowDc, windowLayout.brickWidth, windowLayout.brickHeight);
        if (entry.bitmap == nullptr) {
            RuntimeAssert("Glass", __LINE__);
        }
        SelectObject(memoryDc, entry.bitmap);
        DrawBrick(entry.faceColor, memoryDc);
        entry.brush = CreateSolidBrush(entry.flatColor);
        if (entry.brush == nullptr) {
            RuntimeAssert("Glass", __LINE__);
        }
    }
    SelectObject(memoryDc, originalBitmap);
    DeleteDC(memoryDc);
    ReleaseDC(mainWindow, windowDc);
}
