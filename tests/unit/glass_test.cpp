#include <gtest/gtest.h>

#include "game/glass.h"
#include "glass_picture.h"
#include "settings/settings.h"

namespace {

class GlassTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseGlass(10, 20);
    }
};

TEST_F(GlassTest, ClearEmptiesAndFlagsTheWholeStorageNotOnlyTheUsedRegion) {
    for (auto& row : glass->cells) {
        for (GlassCell& cell : row) {
            cell = {5, 0};
        }
    }
    Clear();
    for (auto& row : glass->cells) {
        for (const GlassCell& cell : row) {
            ASSERT_EQ(cell.color, EmptyCell);
            ASSERT_EQ(cell.repaint, 1);
        }
    }
}

TEST_F(GlassTest, RemovingTheTopRowEmptiesAndFlagsOnlyThatRow) {
    UseGlass(10, 3);
    SetGlass({"3333333333", "4........4", "5555555555"});
    RemoveRow(0);
    EXPECT_EQ(GlassPicture(), "..........\n"
                              "4........4\n"
                              "5555555555\n");
    EXPECT_EQ(RepaintPicture(), "1111111111\n"
                                "0000000000\n"
                                "0000000000\n");
}

TEST_F(GlassTest, RemovingTheBottomRowMovesEveryRowAboveDownAndFlagsThem) {
    UseGlass(7, 5);
    SetGlass({"..3....", "4444.44", "...5...", "6666666"});
    RemoveRow(4);
    EXPECT_EQ(GlassPicture(), ".......\n"
                              ".......\n"
                              "..3....\n"
                              "4444.44\n"
                              "...5...\n");
    EXPECT_EQ(RepaintPicture(), "1111111\n"
                                "1111111\n"
                                "1111111\n"
                                "1111111\n"
                                "1111111\n");
}

TEST_F(GlassTest, RemovingAMiddleRowLeavesTheRowsBelowItUntouched) {
    UseGlass(7, 4);
    SetGlass({"2......", "3333333", "4......", "5......"});
    RemoveRow(1);
    EXPECT_EQ(GlassPicture(), ".......\n"
                              "2......\n"
                              "4......\n"
                              "5......\n");
    EXPECT_EQ(RepaintPicture(), "1111111\n"
                                "1111111\n"
                                "0000000\n"
                                "0000000\n");
}

TEST_F(GlassTest, CellsBeyondTheUsedColumnsStayThroughAnyRemoval) {
    UseGlass(10, 20);
    glass->cells[19][12] = {4, 0};
    glass->cells[5][29] = {6, 0};
    for (int i = 0; i < 25; ++i) {
        RemoveRow(19);
    }
    EXPECT_EQ(glass->cells[19][12].color, 4);
    EXPECT_EQ(glass->cells[19][12].repaint, 0);
    EXPECT_EQ(glass->cells[5][29].color, 6);
    EXPECT_EQ(glass->cells[18][12].color, EmptyCell);
}

TEST_F(GlassTest, MarkAllForRepaintFlagsExactlyTheUsedRegionAndKeepsColours) {
    UseGlass(8, 9);
    SetGlass({"2.3.4.5.", "67....01"});
    const std::string before = GlassPicture();
    for (auto& row : glass->cells) {
        for (GlassCell& cell : row) {
            cell.repaint = 0;
        }
    }
    MarkAllForRepaint();
    EXPECT_EQ(GlassPicture(), before);
    int flagged = 0;
    for (auto& row : glass->cells) {
        for (const GlassCell& cell : row) {
            flagged += cell.repaint;
        }
    }
    EXPECT_EQ(flagged, 8 * 9);
    EXPECT_EQ(glass->cells[9][0].repaint, 0);
    EXPECT_EQ(glass->cells[0][8].repaint, 0);
}

} // namespace
