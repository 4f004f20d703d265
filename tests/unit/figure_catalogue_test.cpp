#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "game/figure.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

Cells BricksOf(int shapeIndex) {
    Cells bricks;
    for (int r = 0; r < ShapeSize; ++r) {
        for (int c = 0; c < ShapeSize; ++c) {
            if (IsBrick(ShapeTable[shapeIndex].rows[r][c])) {
                bricks.emplace_back(r, c);
            }
        }
    }
    return bricks;
}

// The picture turned a quarter clockwise about its centre cell, as seen on screen.
Cells TurnedClockwise(const Cells& bricks) {
    Cells turned;
    for (auto [r, c] : bricks) {
        turned.emplace_back(c, ShapeSize - 1 - r);
    }
    std::sort(turned.begin(), turned.end());
    return turned;
}

Cells TurnedAnticlockwise(const Cells& bricks) {
    Cells turned;
    for (auto [r, c] : bricks) {
        turned.emplace_back(ShapeSize - 1 - c, r);
    }
    std::sort(turned.begin(), turned.end());
    return turned;
}

int ShapeIndexOf(int kind, int rotation) {
    return FindShape(FigureTable[kind].shapeIds[rotation]);
}

TEST(FigureCatalogue, EveryKindAndRotationResolvesToItsPictureInTheListing) {
    const int expected[KindCount][RotationCount] = {
        {0, 1, 0, 1},     {2, 3, 4, 5},     {6, 7, 8, 9},     {10, 11, 10, 11},
        {12, 13, 12, 13}, {14, 15, 16, 17}, {18, 19, 18, 19}, {20, 20, 20, 20},
        {21, 21, 21, 21}, {22, 23, 22, 23}, {24, 25, 24, 25},
    };
    for (int kind = 0; kind < KindCount; ++kind) {
        for (int rotation = 0; rotation < RotationCount; ++rotation) {
            EXPECT_EQ(ShapeIndexOf(kind, rotation), expected[kind][rotation])
                << "kind " << kind << " rotation " << rotation;
        }
    }
}

TEST(FigureCatalogue, KindsHaveTheirBrickCountsInEveryRotation) {
    const int bricks[KindCount] = {4, 4, 4, 4, 4, 4, 6, 1, 4, 5, 2};
    for (int kind = 0; kind < KindCount; ++kind) {
        for (int rotation = 0; rotation < RotationCount; ++rotation) {
            EXPECT_EQ(BricksOf(ShapeIndexOf(kind, rotation)).size(), bricks[kind])
                << "kind " << kind << " rotation " << rotation;
        }
    }
}

TEST(FigureCatalogue, OnlyTheUprightBarsReachTheTopAndBottomPictureRows) {
    for (int index = 0; index < ShapeCount; ++index) {
        bool top = false;
        bool bottom = false;
        for (auto [r, c] : BricksOf(index)) {
            top = top || r == 0;
            bottom = bottom || r == ShapeSize - 1;
        }
        const int id = ShapeTable[index].id;
        EXPECT_EQ(top, id == 11 || id == 131) << "picture " << id;
        EXPECT_EQ(bottom, id == 131) << "picture " << id;
    }
}

TEST(FigureCatalogue, FourPictureKindsTurnClockwiseAQuarterAtEveryRotation) {
    for (int kind : {1, 2, 5}) {
        for (int rotation = 0; rotation < RotationCount; ++rotation) {
            const Cells from = BricksOf(ShapeIndexOf(kind, rotation));
            const Cells to = BricksOf(ShapeIndexOf(kind, (rotation + 1) % RotationCount));
            EXPECT_EQ(TurnedClockwise(from), to) << "kind " << kind << " rotation " << rotation;
        }
    }
}

TEST(FigureCatalogue, TwoPictureKindsTurnBackAndForthWithoutDrifting) {
    for (int kind : {0, 3, 4, 6, 9, 10}) {
        for (int rotation = 0; rotation < RotationCount; ++rotation) {
            const Cells from = BricksOf(ShapeIndexOf(kind, rotation));
            const Cells to = BricksOf(ShapeIndexOf(kind, (rotation + 1) % RotationCount));
            EXPECT_TRUE(TurnedClockwise(from) == to || TurnedAnticlockwise(from) == to)
                << "kind " << kind << " rotation " << rotation;
        }
        EXPECT_EQ(ShapeIndexOf(kind, 0), ShapeIndexOf(kind, 2));
        EXPECT_EQ(ShapeIndexOf(kind, 1), ShapeIndexOf(kind, 3));
    }
}

TEST(FigureCatalogue, FiguresUseOnlyBrickColoursNotTheFlashColours) {
    for (const FigureRecord& figure : FigureTable) {
        EXPECT_GE(figure.color, 2);
        EXPECT_LE(figure.color, 7);
    }
}

TEST(FigureCatalogue, AnUnknownShapeIdIsAFatalFailureOfTheFigureModule) {
    for (int id : {0, 13, 143}) {
        try {
            FindShape(id);
            ADD_FAILURE() << "id " << id << " was found";
        } catch (const ProcessExit& exit) {
            EXPECT_EQ(exit.code, -1);
            EXPECT_EQ(exit.file, "Figure");
        }
    }
}

} // namespace
