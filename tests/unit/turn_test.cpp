#include "rules_fixture.h"

namespace {

constexpr int Bar = 0, T = 5;

class Turn : public RulesTest {
  protected:
    // Runs a turn over the scripted events; the turn must end by itself.
    bool Play() {
        bool goesOn = false;
        EXPECT_EQ(ExitCodeOf([&] { goesOn = PlayTurn(); }), -999) << "the turn did not end";
        return goesOn;
    }
    // Runs a turn until the script runs out, which quits the game.
    void PlayUntilQuit() {
        EXPECT_EQ(ExitCodeOf([] { PlayTurn(); }), 0);
    }
};

TEST_F(Turn, TheFirstTurnOfAGameDrawsFourNumbersAndEveryLaterTurnTwo) {
    std::srand(5);
    int draws[6];
    for (int i = 0; i < 6; ++i) {
        draws[i] = std::rand() % (i % 2 == 0 ? 6 : 4);
    }
    std::srand(5);
    ScriptTicks(30);
    EXPECT_TRUE(Play());
    EXPECT_EQ(figure->kind, draws[0]);
    EXPECT_EQ(figure->rotation, draws[1]);
    EXPECT_EQ(nextKind, draws[2]);
    EXPECT_EQ(nextRotation, draws[3]);

    host.script.clear();
    ScriptTicks(30);
    EXPECT_TRUE(Play());
    EXPECT_EQ(figure->kind, draws[2]) << "the figure shown in the preview comes next";
    EXPECT_EQ(figure->rotation, draws[3]);
    EXPECT_EQ(nextKind, draws[4]);
    EXPECT_EQ(nextRotation, draws[5]);
    EXPECT_EQ(LoggedCount(Logged::PreviewRepaint), 2);
}

TEST_F(Turn, ANewFigureRisesUntilItsTopBrickIsInTheTopRow) {
    NextFigure(Bar, 1); // lying bar: bricks in picture row 2
    PlayUntilQuit();
    EXPECT_EQ(figure->row, -2);
    EXPECT_EQ(GlassPicture().substr(0, 11), "..2222....\n");

    NextFigure(Bar, 0); // standing bar: bricks from picture row 0
    Clear();
    PlayUntilQuit();
    EXPECT_EQ(figure->row, 0);
}

TEST_F(Turn, ANewFigureOverABrickRisesOnlyAsFarAsItFits) {
    // Blocked in row 2 where it enters, the lying bar still fits one and two rows higher.
    UseGlass(10, 3);
    SetGlass({"..........", "..........", "...x......"});
    NextFigure(Bar, 1);
    PlayUntilQuit();
    EXPECT_EQ(figure->row, -2);

    // Blocked one row higher, it stays where it entered, whatever fits above.
    SetGlass({"..........", "...x......", ".........."});
    NextFigure(Bar, 1);
    PlayUntilQuit();
    EXPECT_EQ(figure->row, 0);
}

TEST_F(Turn, AFigureThatDoesNotFitEndsTheGameWithoutBeingStamped) {
    UseGlass(10, 3);
    SetGlass({"...x......", "...x......", "...x......"});
    const std::string before = GlassPicture();
    NextFigure(Bar, 1);
    ScriptTicks(5);
    EXPECT_FALSE(Play());
    EXPECT_EQ(GlassPicture(), before);
    EXPECT_EQ(LoggedCount(Logged::Timer), 0) << "the fall timer is not touched";
    EXPECT_EQ(host.script.size(), 5u) << "no event is taken";
}

TEST_F(Turn, GravityAtTheFallPeriodThenLandingScoresFortyAndSpeedsUp) {
    NextFigure(Bar, 0);
    ScriptTicks(20);
    EXPECT_TRUE(Play());
    EXPECT_EQ(LoggedValues(Logged::Timer), std::vector<int>{600});
    EXPECT_EQ(host.timerPeriod, 0) << "the landing stops the timer";
    EXPECT_EQ(figure->row, 16);
    EXPECT_EQ(host.script.size(), 3u) << "the 17th tick lands the figure";
    EXPECT_EQ(score, 16 * 7 + 40);
    EXPECT_EQ(LoggedValues(Logged::Score).back(), 16 * 7 + 40);
    EXPECT_EQ(fallPeriod, 596);
    EXPECT_EQ(GlassPicture().substr(11 * 16), "....2.....\n"
                                              "....2.....\n"
                                              "....2.....\n"
                                              "....2.....\n");
}

TEST_F(Turn, TheNewFigureIsDrawnBeforeTheFirstEventAndEveryMoveShowsWithItsEvent) {
    UseGlass(10, 9);
    NextFigure(Bar, 0);
    ScriptRelease(KeyDown); // outside a soft drop: the fall keeps its time
    ScriptKey(KeyDown);
    ScriptTicks(1);
    ScriptKey(KeySpace);
    ScriptTicks(1);
    EXPECT_TRUE(Play());
    EXPECT_EQ(LogLines(), (Lines{
                              "preview, timer 600, glass",
                              "release Down:",
                              "press Down: glass, score 7, timer 35",
                              "release Down: timer 600",
                              "tick: glass, score 14",
                              "press Space: glass, score 35",
                              "release Space:",
                              "tick: timer off, score 75",
                          }));
}

TEST_F(Turn, TheFallPeriodStopsAtItsFastestFromThe118thLanding) {
    fallPeriod = 600 - 4 * 117; // after 117 landings
    EXPECT_EQ(fallPeriod, 132);
    for (int landing = 118; landing <= 120; ++landing) {
        Clear();
        NextFigure(Bar, 0);
        ScriptTicks(17);
        EXPECT_TRUE(Play());
        EXPECT_EQ(fallPeriod, 130) << "landing " << landing;
    }
    Clear();
    NextFigure(Bar, 0);
    ScriptPress(KeyDown);
    ScriptRelease(KeyDown);
    ScriptTicks(16);
    EXPECT_TRUE(Play());
    EXPECT_EQ(LoggedValues(Logged::Timer), (std::vector<int>{132, 130, 130, 130, 35, 130}))
        << "releasing Down restores the fall period, not the starting one";
}

TEST_F(Turn, ArrowsMoveAndTurnSpaceDropsAndTheFigureCanStillSlideUntilTheNextTick) {
    SetGlass({"xxxxxxx...", "xxxxxxx..."});
    NextFigure(Bar, 0);
    ScriptKey(KeyRight);
    ScriptKey(KeyRight);
    ScriptKey(KeyLeft);
    ScriptKey(KeySpace);
    EXPECT_EQ(ExitCodeOf([] { PlayTurn(); }), 0);
    EXPECT_EQ(figure->column, 3);
    EXPECT_EQ(figure->row, 14);
    EXPECT_EQ(score, 14 * 7);

    // Space does not land: slid over the gap, the next tick lets it fall on.
    host.script.clear();
    score = 0;
    SetGlass({"xxxxxxx...", "xxxxxxx..."});
    NextFigure(Bar, 0);
    ScriptKey(KeySpace);
    for (int i = 0; i < 4; ++i) {
        ScriptKey(KeyRight);
    }
    ScriptTicks(3);
    EXPECT_TRUE(Play());
    EXPECT_EQ(figure->column, 6);
    EXPECT_EQ(figure->row, 16);
    EXPECT_EQ(score, 14 * 7 + 2 * 7 + 40);
}

TEST_F(Turn, HoldingDownLocksEveryOtherMoveUntilItIsReleased) {
    NextFigure(T, 0);
    ScriptPress(KeyDown);
    ScriptPress(KeyDown); // auto-repeat does not step again
    ScriptPress(KeyLeft);
    ScriptPress(KeySpace);
    ScriptPress(KeyUp);
    ScriptRelease(KeyUp);
    EXPECT_EQ(ExitCodeOf([] { PlayTurn(); }), 0);
    EXPECT_EQ(figure->row, 0) << "one step down from row -1";
    EXPECT_EQ(figure->column, 2);
    EXPECT_EQ(figure->rotation, 0);
    EXPECT_EQ(softDrop, 1);
    EXPECT_EQ(LoggedValues(Logged::Timer), (std::vector<int>{600, 35}));

    host.script.clear();
    ScriptRelease(KeyDown);
    ScriptPress(KeyLeft);
    host.log.clear();
    NextFigure(T, 0);
    Clear();
    EXPECT_EQ(ExitCodeOf([] { PlayTurn(); }), 0);
    EXPECT_EQ(softDrop, 0);
    EXPECT_EQ(figure->column, 1);
    EXPECT_EQ(LoggedValues(Logged::Timer), (std::vector<int>{600, 600}));
}

TEST_F(Turn, UpTurnsOncePerPressAndLocksTheOtherKeysUntilReleased) {
    NextFigure(T, 0);
    ScriptPress(KeyUp);
    ScriptPress(KeyUp);
    ScriptPress(KeyLeft);
    ScriptPress(KeyDown);
    ScriptRelease(KeyUp);
    ScriptPress(KeyLeft);
    PlayUntilQuit();
    EXPECT_EQ(figure->rotation, 1);
    EXPECT_EQ(figure->column, 1);
    EXPECT_EQ(softDrop, 0);
    EXPECT_EQ(rotateHeld, 0);
}

TEST_F(Turn, DownOnAFigureThatCannotMoveGivesNothingButTheNextTickLandsIt) {
    UseGlass(10, 7);
    SetGlass({"....x.....", "..........", ".........."});
    NextFigure(Bar, 0);
    ScriptPress(KeyDown);
    ScriptTicks(1);
    EXPECT_TRUE(Play());
    EXPECT_EQ(score, 40);
    EXPECT_EQ(softDrop, 0) << "the landing tick ends the soft drop";
    EXPECT_EQ(LoggedValues(Logged::Timer), (std::vector<int>{600, 35}));
}

TEST_F(Turn, WhilePausedOnlyPActsAndReleasesAreNotSeen) {
    NextFigure(T, 0);
    ScriptPress(KeyDown);
    ScriptPress(KeyP);
    ScriptRelease(KeyDown); // missed: the soft drop goes on after the pause
    ScriptKey(KeyLeft);
    ScriptKey(KeySpace);
    ScriptTicks(5);
    ScriptPress(KeyP);
    ScriptPress(KeyLeft);
    PlayUntilQuit();
    EXPECT_EQ(figure->row, 0);
    EXPECT_EQ(figure->column, 2);
    EXPECT_EQ(softDrop, 1);
    EXPECT_EQ(host.timerPeriod, 35);
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(LoggedValues(Logged::PauseLabel), (std::vector<int>{1, 0}));
    EXPECT_EQ(LoggedCount(Logged::Focus), 2);
}

TEST_F(Turn, AnUpReleaseMissedWhilePausedKeepsTheFollowingFiguresLockedToo) {
    NextFigure(T, 0);
    ScriptPress(KeyUp);
    ScriptPress(KeyP);
    ScriptRelease(KeyUp);
    ScriptPress(KeyP);
    ScriptTicks(25);
    EXPECT_TRUE(Play());
    EXPECT_EQ(rotateHeld, 1);

    host.script.clear();
    NextFigure(T, 0);
    ScriptKey(KeyLeft);
    ScriptKey(KeyUp);
    ScriptPress(KeyUp);
    ScriptRelease(KeyUp);
    ScriptPress(KeyLeft);
    PlayUntilQuit();
    EXPECT_EQ(figure->column, 1) << "only the move after a seen release is taken";
    EXPECT_EQ(figure->rotation, 1);
}

TEST_F(Turn, HoldingPTogglesThePauseAtEveryRepeat) {
    NextFigure(T, 0);
    for (int i = 0; i < 3; ++i) {
        ScriptPress(KeyP);
    }
    PlayUntilQuit();
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(userPaused, 1);
    EXPECT_EQ(LoggedValues(Logged::PauseLabel), (std::vector<int>{1, 0, 1}));
}

TEST_F(Turn, TheQuitEventSavesTheSettingsAndExitsWithZero) {
    NextFigure(T, 0);
    ScriptTicks(3);
    ScriptQuit();
    ScriptTicks(3);
    EXPECT_EQ(ExitCodeOf([] { PlayTurn(); }), 0);
    EXPECT_EQ(LogLines().back(), "quit: save");
    EXPECT_EQ(host.script.size(), 3u);
}

TEST_F(Turn, AConfirmedResetEndsTheTurnAtTheNextEventLikeALanding) {
    NextFigure(T, 0);
    host.resetAnswers = {true};
    ScriptTicks(2);
    ScriptClick(ConfirmReset);
    ScriptKey(KeyLeft);
    EXPECT_TRUE(Play());
    EXPECT_EQ(figure->row, 1);
    EXPECT_EQ(figure->column, 2);
    EXPECT_EQ(score, 2 * 7 + 40);
    EXPECT_EQ(fallPeriod, 596);
    EXPECT_EQ(host.timerPeriod, 0);
    EXPECT_EQ(host.script.size(), 1u) << "the key press ended the turn; its release is left";

    // The following figures stop at the top at their first event.
    host.script.clear();
    Clear();
    NextFigure(Bar, 0);
    ScriptTicks(1);
    EXPECT_TRUE(Play());
    EXPECT_EQ(figure->row, 0);
}

TEST_F(Turn, APauseAfterAConfirmedResetHoldsItBackUntilUnpaused) {
    NextFigure(T, 0);
    resetRequested = 1;
    ScriptPress(KeyP);
    ScriptTicks(3);
    ScriptKey(KeyLeft);
    EXPECT_EQ(ExitCodeOf([] { PlayTurn(); }), 0);
    EXPECT_EQ(figure->row, -1);
    EXPECT_EQ(paused, 1);

    host.script.clear();
    ScriptPress(KeyP);
    ScriptTicks(1);
    NextFigure(T, 0);
    Clear();
    EXPECT_TRUE(Play());
    EXPECT_EQ(figure->row, -1) << "the first event after the pause ends the turn";
}

} // namespace
