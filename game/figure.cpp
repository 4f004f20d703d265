#include "game/figure.h"

#include "game/glass.h"
#include "game/host.h"
#include "game/turn.h"
#include "settings/settings.h"

// The order of the records is part of the data: figures store table indices, not ids.
constexpr ShapeRecord ShapeTable[ShapeCount + 1] = {
    {11, {"  x  ", "  x  ", "  x  ", "  x  ", "     "}},
    {12, {"     ", "     ", "xxxx ", "     ", "     "}},
    {21, {"     ", "  xx ", "  x  ", "  x  ", "     "}},
    {22, {"     ", "     ", " xxx ", "   x ", "     "}},
    {23, {"     ", "  x  ", "  x  ", " xx  ", "     "}},
    {24, {"     ", " x   ", " xxx ", "     ", "     "}},
    {31, {"     ", " xx  ", "  x  ", "  x  ", "     "}},
    {32, {"     ", "   x ", " xxx ", "     ", "     "}},
    {33, {"     ", "  x  ", "  x  ", "  xx ", "     "}},
    {34, {"     ", "     ", " xxx ", " x   ", "     "}},
    {41, {"     ", "  x  ", " xx  ", " x   ", "     "}},
    {42, {"     ", " xx  ", "  xx ", "     ", "     "}},
    {51, {"     ", " x   ", " xx  ", "  x  ", "     "}},
    {52, {"     ", "  xx ", " xx  ", "     ", "     "}},
    {61, {"     ", "  x  ", " xxx ", "     ", "     "}},
    {62, {"     ", "  x  ", "  xx ", "  x  ", "     "}},
    {63, {"     ", "     ", " xxx ", "  x  ", "     "}},
    {64, {"     ", "  x  ", " xx  ", "  x  ", "     "}},
    {101, {"     ", " xx  ", " xx  ", " xx  ", "     "}},
    {102, {"     ", " xxx ", " xxx ", "     ", "     "}},
    {111, {"     ", "     ", "  x  ", "     ", "     "}},
    {121, {"     ", " xx  ", " xx  ", "     ", "     "}},
    {131, {"  x  ", "  x  ", "  x  ", "  x  ", "  x  "}},
    {132, {"     ", "     ", "xxxxx", "     ", "     "}},
    {141, {"     ", "     ", " xx  ", "     ", "     "}},
    {142, {"     ", "  x  ", "  x  ", "     ", "     "}},
    {0, {}},
};

// Colour, then the picture ids of rotations 0 to 3; kinds with two pictures alternate them.
constexpr FigureRecord FigureTable[KindCount] = {
    {2, {11, 12, 11, 12}},     // four-brick bar
    {3, {21, 22, 23, 24}},     // L-shaped
    {4, {31, 32, 33, 34}},     // L-shaped, mirror image
    {5, {41, 42, 41, 42}},     // zigzag
    {6, {51, 52, 51, 52}},     // zigzag, mirror image
    {7, {61, 62, 63, 64}},     // T-shaped
    {7, {101, 102, 101, 102}}, // 2-by-3 block
    {2, {111, 111, 111, 111}}, // single brick
    {3, {121, 121, 121, 121}}, // 2-by-2 square
    {4, {131, 132, 131, 132}}, // five-brick bar
    {5, {141, 142, 141, 142}}, // two-brick bar
};

int FindShape(int32_t id) {
    int index = 0;
    while (ShapeTable[index].id != 0 && ShapeTable[index].id != id) {
        ++index;
    }
    if (ShapeTable[index].id == 0) {
        RuntimeAssert("Figure", __LINE__);
    }
    return index;
}

Figure* figure = nullptr;

void Figure::Init(int newKind, int newRotation) {
    kind = newKind;
    // Centres the picture, leaning left when the free space is odd.
    column = (settings->BrksPerLine - ShapeSize) / 2;
    row = 0;
    rotation = newRotation;
    for (int r = 0; r < RotationCount; ++r) {
        shapeIndex[r] = FindShape(FigureTable[kind].shapeIds[r]);
    }
}

bool Figure::Fits(int atColumn, int atRow) const {
    const ShapeRecord& picture = Picture();
    for (int r = 0; r < ShapeSize; ++r) {
        for (int c = 0; c < ShapeSize; ++c) {
            if (!IsBrick(picture.rows[r][c])) {
                continue;
            }
            const int x = atColumn + c;
            const int y = atRow + r;
            // A brick above the top edge does not fit: a figure never stands partly outside.
            if (x < 0 || x >= settings->BrksPerLine || y < 0 || y >= settings->BrksPerColumn ||
                glass->cells[y][x].color != EmptyCell) {
                return false;
            }
        }
    }
    return true;
}

void Figure::WriteCells(int8_t color) {
    // Only ever called at a place that passed Fits, so every brick lies inside the glass.
    const ShapeRecord& picture = Picture();
    for (int r = 0; r < ShapeSize; ++r) {
        for (int c = 0; c < ShapeSize; ++c) {
            if (IsBrick(picture.rows[r][c])) {
                glass->cells[row + r][column + c] = {color, 1};
            }
        }
    }
}

void Figure::Stamp() {
    WriteCells(static_cast<int8_t>(FigureTable[kind].color));
}

void Figure::Erase() {
    WriteCells(EmptyCell);
}

bool Figure::StepDown() {
    Erase();
    if (!Fits(column, row + 1)) {
        Stamp();
        return false;
    }
    ++row;
    score += RowPoints;
    RequestGlassRepaint();
    UpdateScorePanel();
    Stamp();
    return true;
}

void Figure::Rotate() {
    // Where the turned picture may go when it does not fit in place: sideways first, then down.
    constexpr int kicks[][2] = {{0, 0}, {1, 0}, {2, 0}, {-1, 0}, {-2, 0}, {0, 1}, {0, 2}};
    const int previous = rotation;
    Erase();
    rotation = (rotation + 1) % RotationCount;
    for (const auto& kick : kicks) {
        if (Fits(column + kick[0], row + kick[1])) {
            column += kick[0];
            row += kick[1];
            Stamp();
            RequestGlassRepaint();
            return;
        }
    }
    rotation = previous;
    Stamp();
}

void Figure::MoveTo(int newColumn) {
    Erase();
    if (Fits(newColumn, row)) {
        column = newColumn;
    }
    Stamp();
    RequestGlassRepaint();
}

void Figure::Drop() {
    Erase();
    while (Fits(column, row + 1)) {
        ++row;
        score += RowPoints;
    }
    Stamp();
    RequestGlassRepaint();
    UpdateScorePanel();
}
