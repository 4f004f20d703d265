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

// The falling figure. Its bricks live in the glass like landed ones, so every move erases it,
// tests the wanted place, and stamps it again where it ends up.
struct Figure {
    int32_t kind;                      // FigureTable index, 0..10
    int32_t shapeIndex[RotationCount]; // ShapeTable index of each rotation's picture
    int32_t column;                    // glass column of the picture's column 0; may be negative
    int32_t row;                       // glass row of the picture's row 0; may be negative
    int32_t rotation;                  // 0..3

    // Sets a new figure at the spawn place, centred at the top; touches neither glass nor screen.
    void Init(int newKind, int newRotation);
    // Whether every brick of the current picture would lie inside the used glass on an empty cell.
    bool Fits(int atColumn, int atRow) const;
    void Stamp();
    void Erase();
    // One row down if it fits, scoring 7; false when the figure could not move.
    bool StepDown();
    // The next rotation, in place or at the first of six nearby places where it fits.
    void Rotate();
    void MoveTo(int newColumn);
    // As far down as it fits, scoring 7 per row. The figure does not land until the next tick.
    void Drop();

    const ShapeRecord& Picture() const {
        return ShapeTable[shapeIndex[rotation]];
    }

  private:
    void WriteCells(int8_t color);
};

// The one falling figure, allocated at start-up; each turn initialises it afresh.
extern Figure* figure;

constexpr int RowPoints = 7; // for every row a figure falls by a tick, Down or Space
