#include "game/figure.h"

#include "game/host.h"

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
