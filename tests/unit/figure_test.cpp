#include "rules_fixture.h"

namespace {

constexpr int Bar = 0, SingleBrick = 7, Square = 8;

using FallingFigure = RulesTest;

TEST_F(FallingFigure, StartsCentredInTheTopRowLeaningLeft) {
    for (auto [columns, expected] : {std::pair{7, 1}, {8, 1}, {9, 2}, {10, 2}, {30, 12}}) {
        UseGlass(columns, 20);
        figure->Init(1, 2);
        EXPECT_EQ(figure->column, expected) << columns << " columns";
        EXPECT_EQ(figure->row, 0);
        EXPECT_EQ(figure->rotation, 2);
    }
}

TEST_F(FallingFigure, TheUprightBarStandsFlushAgainstBothWallsAndNoFurther) {
    figure->Init(Bar, 0);
    EXPECT_TRUE(figure->Fits(-2, 5));
    EXPECT_FALSE(figure->Fits(-3, 5));
    EXPECT_TRUE(figure->Fits(10 - 3, 5));
    EXPECT_FALSE(figure->Fits(10 - 2, 5));
    EXPECT_TRUE(figure->Fits(2, 16));
    EXPECT_FALSE(figure->Fits(2, 17));
}

TEST_F(FallingFigure, NoBrickMayStandAboveTheTopRow) {
    figure->Init(Bar, 0);
    EXPECT_TRUE(figure->Fits(2, 0));
    EXPECT_FALSE(figure->Fits(2, -1));
    figure->Init(Bar, 1); // lying bar, bricks in picture row 2
    EXPECT_TRUE(figure->Fits(2, -2));
    EXPECT_FALSE(figure->Fits(2, -3));
}

TEST_F(FallingFigure, DoesNotFitOnAnOccupiedCell) {
    SetGlass({"...x......"});
    figure->Init(Bar, 0);
    EXPECT_TRUE(figure->Fits(0, 16));
    EXPECT_FALSE(figure->Fits(1, 16));
    EXPECT_TRUE(figure->Fits(1, 15));
}

TEST_F(FallingFigure, StampAndEraseWriteOnlyTheBricksAndFlagThem) {
    SetGlass({});
    Place(5, 0, 3, 4); // T: picture rows 1 and 2
    EXPECT_EQ(GlassPicture().substr(0, 11 * 8), "..........\n"
                                                "..........\n"
                                                "..........\n"
                                                "..........\n"
                                                "..........\n"
                                                ".....7....\n"
                                                "....777...\n"
                                                "..........\n");
    EXPECT_EQ(RepaintPicture().substr(11 * 5, 22), "0000010000\n"
                                                   "0000111000\n");
    figure->Erase();
    EXPECT_EQ(GlassPicture().find('7'), std::string::npos);
    EXPECT_TRUE(host.log.empty()) << "stamping and erasing leave the repaint to the caller";
}

TEST_F(FallingFigure, StepDownScoresSevenAndAsksForARepaint) {
    Place(Bar, 0, 2, 0);
    EXPECT_TRUE(figure->StepDown());
    EXPECT_EQ(figure->row, 1);
    EXPECT_EQ(score, 7);
    EXPECT_EQ(LogLines(), Lines{"glass, score 7"});
    EXPECT_EQ(glass->cells[0][4].color, EmptyCell);
    EXPECT_EQ(glass->cells[4][4].color, 2);
}

TEST_F(FallingFigure, StepDownOnTheBottomStaysStampedWithoutScoreOrRepaint) {
    Place(Bar, 0, 2, 16);
    const std::string before = GlassPicture();
    EXPECT_FALSE(figure->StepDown());
    EXPECT_EQ(figure->row, 16);
    EXPECT_EQ(GlassPicture(), before);
    EXPECT_EQ(score, 0);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(FallingFigure, TheUprightBarAgainstTheRightWallTurnsIntoTheLastFourColumns) {
    Place(Bar, 0, 10 - 3, 5);
    figure->Rotate();
    EXPECT_EQ(figure->rotation, 1);
    EXPECT_EQ(figure->column, 10 - 4);
    EXPECT_EQ(figure->row, 5);
    EXPECT_EQ(GlassPicture().substr(11 * 7, 11), "......2222\n");
    EXPECT_EQ(LogLines(), Lines{"glass"});
}

TEST_F(FallingFigure, TheUprightBarAgainstTheLeftWallIsKickedRight) {
    Place(Bar, 0, -2, 5);
    figure->Rotate();
    EXPECT_EQ(figure->column, 0); // try 3: two columns right
    EXPECT_EQ(GlassPicture().substr(11 * 7, 11), "2222......\n");
}

TEST_F(FallingFigure, RotationGoesDownOneOrTwoRowsWhenNoSidewaysPlaceFits) {
    // The lying bar in row 12 would stand in column 4 from row 10; row 10 is blocked around it.
    SetGlass({"..xxxxx...", "..........", "..........", "..........", "..........", "..........",
              "..........", "..........", "..........", ".........."});
    Place(Bar, 1, 2, 10);
    figure->Rotate();
    EXPECT_EQ(figure->rotation, 2);
    EXPECT_EQ(figure->column, 2);
    EXPECT_EQ(figure->row, 11);
    EXPECT_EQ(score, 0) << "a downward kick scores nothing";

    SetGlass({"..xxxxx...", "....x.....", "..........", "..........", "..........", "..........",
              "..........", "..........", "..........", ".........."});
    Place(Bar, 1, 2, 10);
    figure->Rotate();
    EXPECT_EQ(figure->row, 12);
    EXPECT_EQ(GlassPicture().substr(11 * 12, 44), "....2.....\n"
                                                  "....2.....\n"
                                                  "....2.....\n"
                                                  "....2.....\n");
}

TEST_F(FallingFigure, ATurnTakesTheFirstPlaceThatFitsInPlaceThenRightLeftAndDown) {
    // The lying bar turns upright in column 5; bricks in row 14 shut out one try after the
    // other, while every later try would still fit.
    struct Case {
        const char* row14;
        int column, row;
    };
    const Case cases[] = {
        {".....x....", 4, 14}, // one column right
        {".....xx...", 5, 14}, // two right
        {".....xxx..", 2, 14}, // one left
        {"....xxxx..", 1, 14}, // two left
        {"...xxxxx..", 3, 15}, // one row down
    };
    for (const Case& c : cases) {
        SetGlass({c.row14, "..........", "..........", "..........", "..........", ".........."});
        Place(Bar, 1, 3, 14);
        figure->Rotate();
        EXPECT_EQ(figure->rotation, 2) << c.row14;
        EXPECT_EQ(figure->column, c.column) << c.row14;
        EXPECT_EQ(figure->row, c.row) << c.row14;
    }
}

TEST_F(FallingFigure, ATurnWithNowhereToGoChangesNothing) {
    // An upright bar in a one-column shaft cannot lie down anywhere near.
    SetGlass({"xx.xxxxxxx", "xx.xxxxxxx", "xx.xxxxxxx", "xx.xxxxxxx", "xx.xxxxxxx", "xx.xxxxxxx",
              "xx.xxxxxxx"});
    Place(Bar, 0, 0, 13);
    const std::string before = GlassPicture();
    figure->Rotate();
    EXPECT_EQ(figure->rotation, 0);
    EXPECT_EQ(figure->column, 0);
    EXPECT_EQ(figure->row, 13);
    EXPECT_EQ(GlassPicture(), before);
    EXPECT_EQ(score, 0);
}

TEST_F(FallingFigure, RotationIndexAdvancesEvenWhenThePictureStaysTheSame) {
    for (int kind : {SingleBrick, Square}) {
        Place(kind, 3, 3, 5);
        figure->Rotate();
        EXPECT_EQ(figure->rotation, 0);
        figure->Rotate();
        EXPECT_EQ(figure->rotation, 1);
        EXPECT_EQ(figure->column, 3);
        figure->Erase();
    }
}

TEST_F(FallingFigure, ASidewaysMoveIntoAWallOrABrickLeavesTheFigureStamped) {
    SetGlass({"....x....."});
    Place(Bar, 0, -2, 16);
    figure->MoveTo(-3);
    EXPECT_EQ(figure->column, -2);
    EXPECT_EQ(glass->cells[19][0].color, 2);
    figure->MoveTo(-1);
    EXPECT_EQ(figure->column, -1);
    figure->MoveTo(0);
    figure->MoveTo(1);
    EXPECT_EQ(figure->column, 1);
    figure->MoveTo(2); // column 4 holds a brick in the bottom row
    EXPECT_EQ(figure->column, 1);
    EXPECT_EQ(glass->cells[16][3].color, 2);
    EXPECT_EQ(glass->cells[19][3].color, 2);
    EXPECT_EQ(LoggedCount(Logged::GlassRepaint), 5)
        << "every sideways move asks for a repaint, taken or not";
}

TEST_F(FallingFigure, DropFallsAsFarAsItFitsScoringSevenPerRow) {
    Place(Bar, 1, 2, 0); // lying bar: bricks in picture row 2
    figure->Drop();
    EXPECT_EQ(figure->row, 17);
    EXPECT_EQ(score, 119);
    EXPECT_EQ(LogLines(), Lines{"glass, score 119"});
    EXPECT_EQ(GlassPicture().substr(11 * 19), "..2222....\n");

    figure->Drop();
    EXPECT_EQ(score, 119) << "a figure already resting gains nothing";
}

} // namespace
