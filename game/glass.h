// The glass: the well the figures fall into, one cell per brick, each with a repaint flag.
#pragma once

#include <cstdint>

constexpr int GlassRows = 50;    // storage; at most 40 rows are used
constexpr int GlassColumns = 30; // storage; the row stride is always 30 cells
constexpr int8_t EmptyCell = -1;

struct GlassCell {
    int8_t color;    // EmptyCell, or a BrickColorTable index 0..7
    uint8_t repaint; // 1 while the cell must be drawn again
};

// Row 0 is the top row. Only the top-left BrksPerColumn x BrksPerLine cells are in use; cells
// outside that region keep their contents when the glass is resized.
struct Glass {
    GlassCell cells[GlassRows][GlassColumns];
};
static_assert(sizeof(Glass) == 3000, "the glass is 1,500 two-byte cells");

// Allocated at start-up. The rules write colours and set flags; only the painter clears flags.
extern Glass* glass;

// Empties every cell of the storage, not only the used region, and flags it.
void Clear();

// Deletes a used row: the rows above it move down one and row 0 becomes empty.
void RemoveRow(int row);

// Flags every used cell without changing its colour.
void MarkAllForRepaint();
