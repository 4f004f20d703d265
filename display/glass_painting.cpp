#include "display/glass_painting.h"

#include "app/shell_state.h"
#include "display/bricks.h"
#include "game/figure.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/turn.h"
#include "settings/settings.h"

namespace {

constexpr int ScoreTextSize = 40;

bool IsFlatDisplay(int bitsPerPixel) {
    return bitsPerPixel <= 8;
}

} // namespace

void PaintCell(int row, int color, int column, HDC paintDc, HDC memoryDc, int bitsPerPixel,
               HBRUSH backgroundBrush) {
    const int w = windowLayout.brickWidth;
    const int h = windowLayout.brickHeight;
    const int left = column * w;
    const int top = windowLayout.glassTop + row * h;
    if (color == EmptyCell) {
        const RECT cell = {left, top, left + w, top + h};
        FillRect(paintDc, &cell, backgroundBrush);
        return;
    }
    const BrickColor& entry = BrickColorTable[color];
    if (!IsFlatDisplay(bitsPerPixel)) {
        SelectObject(memoryDc, entry.bitmap);
        if (!BitBlt(paintDc, left, top, w, h, memoryDc, 0, 0, SRCCOPY)) {
            RuntimeAssert("Glass", __LINE__);
        }
        return;
    }
    // Bevels do not survive a palette of 256 colours: a flat colour with a white outline does.
    HGDIOBJ previousBrush = SelectObject(paintDc, entry.brush);
    HGDIOBJ previousPen = SelectObject(paintDc, GetStockObject(WHITE_PEN));
    if (!Rectangle(paintDc, left, top, left + w, top + h)) {
        RuntimeAssert("Glass", __LINE__);
    }
    // The brush must not stay selected: the next layout deletes it.
    SelectObject(paintDc, previousPen);
    SelectObject(paintDc, previousBrush);
}

void PaintGlass(HWND window) {
    PAINTSTRUCT paint;
    HDC paintDc = BeginPaint(window, &paint);
    if (paintDc == nullptr) {
        RuntimeAssert("Glass", __LINE__);
    }
    HDC memoryDc = CreateCompatibleDC(paintDc);
    if (memoryDc == nullptr) {
        RuntimeAssert("Glass", __LINE__);
    }

    if (paused) {
        // No flag is cleared, so no change made meanwhile is lost. The main window clips its
        // children, so only the glass turns black.
        const RECT client = {0, 0, settings->ClientWidth, settings->ClientHeight};
        FillRect(paintDc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else {
        const int bitsPerPixel = GetDeviceCaps(paintDc, BITSPIXEL);
        const bool ownBrush = !IsFlatDisplay(bitsPerPixel);
        HBRUSH backgroundBrush = ownBrush ? CreateSolidBrush(settings->GlassBackgrColor)
                                          : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        if (backgroundBrush == nullptr) {
            RuntimeAssert("Glass", __LINE__);
        }
        // Another window may have covered any part of the glass, and nothing tells which; in the
        // foreground only the cells the rules changed differ from the screen.
        const bool everyCell = GetForegroundWindow() != mainWindow;
        HGDIOBJ originalBitmap = GetCurrentObject(memoryDc, OBJ_BITMAP);
        for (int r = 0; r < settings->BrksPerColumn; ++r) {
            for (int c = 0; c < settings->BrksPerLine; ++c) {
                GlassCell& cell = glass->cells[r][c];
                if (cell.repaint != 0 || everyCell) {
                    PaintCell(r, cell.color, c, paintDc, memoryDc, bitsPerPixel, backgroundBrush);
                    cell.repaint = 0;
                }
            }
        }
        // No brick image may stay selected: the next layout deletes them.
        SelectObject(memoryDc, originalBitmap);
        if (ownBrush) {
            DeleteObject(backgroundBrush);
        }
    }

    DeleteDC(memoryDc);
    EndPaint(window, &paint);
}

void UpdateScorePanel() {
    char text[ScoreTextSize] = {};
    if (windowLayout.showsScore) {
        // "Score:\n" and at most 11 characters of a number fit the buffer.
        wsprintfA(text, "Score:\n%i", score);
    }
    SetWindowTextA(scorePanel, text);
    InvalidateRect(scorePanel, nullptr, TRUE);
}

void DrawPreview(const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    RECT client;
    GetClientRect(item->hwndItem, &client);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, 0, 0, client.right, client.bottom);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);

    Figure next{};
    next.Init(nextKind, nextRotation);
    const ShapeRecord& picture = next.Picture();
    // Flat at every depth: the brick images have the glass's brick size, not the preview's.
    HBRUSH brush = BrickColorTable[FigureTable[nextKind].color].brush;
    // The picture as stored, not shifted to centre its bricks.
    const int area = windowLayout.previewArea;
    const int pitch = windowLayout.previewPitch;
    const int size = windowLayout.previewSquare;
    const POINT origin = CenterIn(area, area, item->hwndItem);
    for (int i = 0; i < ShapeSize; ++i) {
        for (int j = 0; j < ShapeSize; ++j) {
            if (IsBrick(picture.rows[i][j])) {
                const int x = origin.x + pitch * j;
                const int y = origin.y + pitch * i;
                const RECT square = {x, y, x + size, y + size};
                FillRect(dc, &square, brush);
            }
        }
    }
}
