#include "rules_fixture.h"

namespace {

class RowClearing : public RulesTest {
  protected:
    void SetUp() override {
        RulesTest::SetUp();
        // Every repaint request during a flash shows what the player would see.
        host.onGlassRepaint = [this] { frames.push_back(GlassPicture()); };
    }
    // The colours of one row in every repainted frame, as one string per frame.
    std::vector<std::string> RowInFrames(int row) const {
        std::vector<std::string> rows;
        const size_t width = settings->BrksPerLine + 1;
        for (const std::string& frame : frames) {
            rows.push_back(frame.substr(row * width, width - 1));
        }
        return rows;
    }
    std::vector<std::string> frames;
};

TEST_F(RowClearing, WithoutAFullRowNothingHappensNotEvenToTheTimer) {
    SetGlass({"xxxxxxxxx.", ".xxxxxxxxx"});
    const std::string before = GlassPicture();
    ScriptTicks(8);
    ClearFullRows();
    EXPECT_EQ(GlassPicture(), before);
    EXPECT_EQ(score, 0);
    EXPECT_TRUE(host.log.empty()) << "no event is taken, no timer or score changed";
}

TEST_F(RowClearing, AFullRowScoresAtOnceFlashesEightTicksAndVanishes) {
    SetGlass({"..3.......", "4.5.6.7.2.", "2345672345"});
    ScriptTicks(8);
    ScriptTicks(2);
    ClearFullRows();

    Lines flash(1 + 8, "tick: glass");
    flash[0] = "timer 50, score 300";
    EXPECT_EQ(LogLines(), flash) << "the score shows and the timer runs before the flash";
    EXPECT_EQ(RowInFrames(19),
              (std::vector<std::string>{"0000000000", "1111111111", "0000000000", "1111111111",
                                        "0000000000", "1111111111", "0000000000", "1111111111"}));
    EXPECT_EQ(host.script.size(), 2u) << "the eighth tick ends the flash";
    EXPECT_EQ(GlassPicture().substr(11 * 17), "..........\n"
                                              "..3.......\n"
                                              "4.5.6.7.2.\n");
    EXPECT_EQ(host.timerPeriod, 50) << "the timer keeps its flash period until the next turn";
}

TEST_F(RowClearing, RowsAreRemovedTopToBottomSoEveryListedRowKeepsItsIndex) {
    SetGlass({"5.........", "xxxxxxxxxx", "6.6.......", "xxxxxxxxxx"}); // rows 16 to 19
    ScriptTicks(8);
    ClearFullRows();
    EXPECT_EQ(score, 600);
    EXPECT_EQ(RowInFrames(17), RowInFrames(19));
    EXPECT_EQ(GlassPicture().substr(11 * 17), "..........\n"
                                              "5.........\n"
                                              "6.6.......\n");
}

TEST_F(RowClearing, CellsBeyondTheUsedColumnsDoNotKeepARowFromBeingFull) {
    UseGlass(7, 10);
    SetGlass({"xxxxxxx"});
    glass->cells[9][7] = {EmptyCell, 0};
    glass->cells[8][7] = {3, 0};
    ScriptTicks(8);
    ClearFullRows();
    EXPECT_EQ(score, 300);
    EXPECT_EQ(glass->cells[8][7].color, 3) << "cells outside the used columns do not move";
}

TEST_F(RowClearing, ANarrowedGlassMayClearMoreThanFiveRowsAtOnce) {
    UseGlass(7, 40);
    SetGlass(std::vector<std::string>(40, "xxxxxxx"));
    for (int r = 0; r < 40; ++r) {
        glass->cells[r][8] = {4, 0}; // left from the wider glass
    }
    ScriptTicks(8);
    ClearFullRows();
    EXPECT_EQ(score, 40 * 300);
    EXPECT_EQ(RowInFrames(0).front(), "0000000");
    EXPECT_EQ(RowInFrames(39).back(), "1111111");
    std::string empty;
    for (int r = 0; r < 40; ++r) {
        empty += ".......\n";
    }
    EXPECT_EQ(GlassPicture(), empty);
    EXPECT_EQ(glass->cells[39][8].color, 4);
}

TEST_F(RowClearing, WhilePausedTheFlashStandsStillAndGoesOnAfterwards) {
    SetGlass({"xxxxxxxxxx"});
    ScriptTicks(3);
    ScriptClick(TogglePause); // the Pause button
    ScriptTicks(10);
    ScriptClick(TogglePause);
    ScriptTicks(5);
    ScriptTicks(1);
    ClearFullRows();
    EXPECT_EQ(RowInFrames(19),
              (std::vector<std::string>{"0000000000", "1111111111", "0000000000", // three ticks
                                        "0000000000", "0000000000", // the pause and the unpause
                                        "1111111111", "0000000000", "1111111111", "0000000000",
                                        "1111111111"}));
    EXPECT_EQ(host.script.size(), 1u);
    EXPECT_EQ(GlassPicture().find('x'), std::string::npos);
}

TEST_F(RowClearing, ThePKeyDoesNotPauseTheFlash) {
    SetGlass({"xxxxxxxxxx"});
    ScriptPress(KeyP);
    ScriptTicks(8);
    ClearFullRows();
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(LoggedCount(Logged::PauseLabel), 0);
    EXPECT_EQ(GlassPicture().substr(11 * 19), "..........\n");
}

TEST_F(RowClearing, TheQuitEventDuringTheFlashSavesAndExitsLeavingTheRows) {
    SetGlass({"xxxxxxxxxx"});
    ScriptTicks(3);
    ScriptQuit();
    EXPECT_EQ(ExitCodeOf(ClearFullRows), 0);
    EXPECT_EQ(LogLines().back(), "quit: save");
    EXPECT_EQ(GlassPicture().substr(11 * 19), "0000000000\n") << "the third flash colour stays";
}

TEST_F(RowClearing, AResetDuringTheFlashLetsItFinish) {
    SetGlass({"xxxxxxxxxx"});
    host.resetAnswers = {true};
    ScriptTicks(2);
    ScriptClick(ConfirmReset);
    ScriptTicks(6);
    ClearFullRows();
    EXPECT_EQ(resetRequested, 1);
    EXPECT_TRUE(host.script.empty());
    EXPECT_EQ(GlassPicture().substr(11 * 19), "..........\n");
}

TEST_F(RowClearing, ALandingScoresItsFortyBeforeTheRowsScoreTheirs) {
    SetGlass({"xxxx.xxxxx", "xxxx.xxxxx", "xxxx.xxxxx", "xxxx.xxxxx"});
    NextFigure(0, 0);
    ScriptTicks(17);
    ScriptTicks(8);
    EXPECT_TRUE(PlayTurn());
    ClearFullRows();
    EXPECT_EQ(LogLines().at(1 + 16), "tick: timer off, score 152, timer 50, score 1352")
        << "16 rows of fall and the landing, then four rows";
}

} // namespace
