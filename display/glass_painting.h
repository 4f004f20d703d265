// Everything the game shows is drawn here, later than the rules change it: the glass from its
// repaint flags, the score panel's text and the next-figure preview. UpdateScorePanel, which the
// rules call, is declared with the other platform services in game/host.h.
#pragma once

#include <windows.h>

#include "game/host.h"

// The main window's whole WM_PAINT: the flagged cells (every used cell while the window is not in
// the foreground), clearing their flags; a black glass, with the flags kept, while paused.
void PaintGlass(HWND window);

// Draws the cell at (row, column): the background for an empty cell, else the brick image above
// 8 bits per pixel and a flat brick with a white outline at 8 or fewer.
void PaintCell(int row, int color, int column, HDC paintDc, HDC memoryDc, int bitsPerPixel,
               HBRUSH backgroundBrush);

// The main window's whole WM_DRAWITEM: the next figure as flat squares in a white frame.
void DrawPreview(const DRAWITEMSTRUCT* item);
