#include "game/glass.h"

#include "settings/settings.h"

Glass* glass = nullptr;

void Clear() {
    for (auto& row : glass->cells) {
        for (GlassCell& cell : row) {
            cell = {EmptyCell, 1};
        }
    }
}

void RemoveRow(int row) {
    // Walking upward from the removed row reads every source row before it is overwritten.
    for (int r = row; r >= 1; --r) {
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            glass->cells[r][c] = {glass->cells[r - 1][c].color, 1};
        }
    }
    for (int c = 0; c < settings->BrksPerLine; ++c) {
        glass->cells[0][c] = {EmptyCell, 1};
    }
}

void MarkAllForRepaint() {
    for (int r = 0; r < settings->BrksPerColumn; ++r) {
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            glass->cells[r][c].repaint = 1;
        }
    }
}
