// The figure catalogue: the brick pictures and the figure kinds that are drawn from them.
#pragma once

#include <cstdint>

constexpr int ShapeSize = 5;   // every picture is 5 x 5 cells
constexpr int ShapeCount = 26; // pictures before the terminating record
constexpr int KindCount = 11;  // kinds 0..5 are the classic set, 0..10 the extended one
constexpr int RotationCount = 4;

// A brick picture. Row 0 is the top row, character 0 of a row the leftmost column; any character
// other than a blank is a brick.
struct ShapeRecord {
    int32_t id; // 0 only in the terminating record
    char rows[ShapeSize][ShapeSize + 1];
};

struct FigureRecord {
    int32_t color;                   // BrickColorTable index of the figure's bricks, 2..7
    int32_t shapeIds[RotationCount]; // picture id of rotation 0..3
};

extern const ShapeRecord ShapeTable[ShapeCount + 1];
extern const FigureRecord FigureTable[KindCount];

inline bool IsBrick(char cell) {
    return cell != ' ';
}

// Returns the ShapeTable index of the picture with this id; an unknown id is a fatal failure.
int FindShape(int32_t id);
