#include <algorithm>
#include <sstream>

#include "rules_fixture.h"

namespace {

class GameCycle : public RulesTest {
  protected:
    void SetUp() override {
        RulesTest::SetUp();
        // Once the script is done, only the fall timer ticks: figures fall straight down and
        // stack up until one does not fit.
        host.moreEvents = [this](Event& next) {
            next = {host.timerPeriod != 0 ? EventKind::TimerTick : EventKind::Other, 0};
            return ++generated < 100000;
        };
        host.afterEvent = [this](EventFilter filter) {
            const size_t games = LoggedCount(Logged::HiScoreEntry) + 1;
            if (filter == TurnFilter && firstKinds.size() < games) {
                firstKinds.push_back(figure->kind);
            }
        };
    }
    void Play() {
        EXPECT_EQ(ExitCodeOf(PlayGame), -999) << "the game did not end";
    }
    int generated = 0;
    std::vector<int> firstKinds; // the first figure of every game
};

TEST_F(GameCycle, EveryGameStartsEmptyAtScoreZeroAndTheSlowestPeriodWithFreshFigures) {
    SetGlass({"xxxxx.xxxx"});
    score = 999;
    fallPeriod = 130;
    nextKind = 3;
    userPaused = 1;
    paused = 1;
    std::srand(7);
    const int firstKind = std::rand() % 6;
    std::srand(7);
    Play();
    EXPECT_EQ(LogLines()[0], "score 0, preview, timer 600, glass");
    ASSERT_EQ(firstKinds.size(), 1u);
    EXPECT_EQ(firstKinds[0], firstKind) << "the first figure is drawn afresh";
    EXPECT_EQ(glass->cells[19][0].color, EmptyCell) << "the glass was emptied";

    // The next game ignores the figure left in the preview and draws two new ones.
    const unsigned seed = 11;
    std::srand(seed);
    const int nextFirstKind = std::rand() % 6;
    std::srand(seed);
    Play();
    ASSERT_EQ(firstKinds.size(), 2u);
    EXPECT_EQ(firstKinds[1], nextFirstKind);
}

TEST_F(GameCycle, AFinishedGameHandsItsFinalScoreToTheHighScoreTable) {
    Play();
    const std::vector<int> entries = LoggedValues(Logged::HiScoreEntry);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_GT(entries[0], 0);
    const std::string total = std::to_string(entries[0]);
    EXPECT_EQ(LogLines().back(), "tick: timer off, score " + total + ", preview, hiscore " + total);
}

TEST_F(GameCycle, AfterALandingWithoutAFullRowTheNextFigureIsDrawnAtOnce) {
    Play();
    int landings = 0;
    const Lines lines = LogLines();
    for (size_t i = 0; i + 1 < lines.size(); ++i) { // the last landing ends the game
        if (lines[i].find("timer off") != std::string::npos) {
            ++landings;
            EXPECT_EQ(lines[i].substr(lines[i].find(", preview")),
                      ", preview, timer " + std::to_string(600 - 4 * landings) + ", glass");
        }
    }
    EXPECT_GT(landings, 1);
}

TEST_F(GameCycle, AConfirmedResetRunsTheGameOutWithoutAHighScoreEntry) {
    host.resetAnswers = {true};
    ScriptTicks(3);
    ScriptClick(ConfirmReset);
    Play();
    EXPECT_EQ(LoggedCount(Logged::ResetQuestion), 1);
    EXPECT_EQ(LoggedCount(Logged::HiScoreEntry), 0);
    EXPECT_EQ(resetRequested, 1);
    // The figures after the reset stayed at the top until one did not fit.
    EXPECT_NE(glass->cells[0][4].color, EmptyCell);
    EXPECT_LT(generated, 40);

    Play();
    EXPECT_EQ(resetRequested, 0) << "a new game clears the reset";
    EXPECT_EQ(LoggedCount(Logged::HiScoreEntry), 1);
}

TEST_F(GameCycle, AnsweringNoToTheResetChangesNothing) {
    userPaused = 1;
    paused = 1;
    ConfirmReset();
    EXPECT_EQ(LogLines(), Lines{"reset?"});
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(userPaused, 1);
    EXPECT_EQ(resetRequested, 0);
}

TEST_F(GameCycle, AResetConfirmedWhilePausedUnpausesAndShowsThePauseLabel) {
    userPaused = 1;
    paused = 1;
    host.resetAnswers = {true};
    ConfirmReset();
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(userPaused, 0);
    EXPECT_EQ(resetRequested, 1);
    EXPECT_EQ(LogLines(), Lines{"reset?, label Pause, glass"});
}

TEST_F(GameCycle, UnpausingRedrawsEveryCellOverTheBlackPausePicture) {
    SetGlass({"2..3"});
    TogglePause();
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(RepaintPicture().find('1'), std::string::npos) << "pausing flags no cell";
    TogglePause();
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(RepaintPicture().find('0'), std::string::npos);
    EXPECT_EQ(LogLines(), Lines{"focus, label Unpause, glass, focus, label Pause, glass"})
        << "the keyboard goes back to the game after a click";
}

// The player's away and back in every order: once the window is active, the session unlocked and
// connected and the player seen since a sleep, the game runs exactly when the player's own pause
// is off, the button says so, and only then is the fine timer held. Each row starts running, with
// no reason held.
TEST_F(GameCycle, ThePauseTakenByItselfEndsOnlyByItsOwnEventsAndKeepsThePlayersAside) {
    // The events' names, in the order of PauseEvent; "P" and "reset" are the player's, "P-key" the
    // P key as the pump fetches it, a sign of the player first.
    const std::vector<std::string> events = {"away",  "back",   "menu",       "menu-end",
                                             "lock",  "unlock", "disconnect", "connect",
                                             "sleep", "wake",   "key"};
    const struct {
        const char* steps;
        int paused;
        const char* label; // the last one shown, "Pause" before any
    } rows[] = {
        {"away back", 0, "Pause"},
        {"P away back", 1, "Unpause"},
        {"away lock back", 1, "Pause"}, // activated behind the lock screen
        {"away lock back unlock", 0, "Pause"},
        {"menu lock menu-end", 1, "Pause"},
        {"menu lock menu-end unlock", 0, "Pause"},
        {"lock sleep unlock", 0, "Pause"}, // woken by a timer, then unlocked
        {"disconnect sleep connect", 0, "Pause"},
        {"lock disconnect connect", 1, "Pause"},
        {"lock disconnect connect unlock", 0, "Pause"},
        {"sleep", 1, "Pause"},
        {"sleep key", 0, "Pause"},
        {"sleep wake", 0, "Pause"},
        {"away sleep wake", 1, "Pause"},
        {"away sleep back", 0, "Pause"},
        {"sleep P P P away back", 1, "Unpause"},
        {"sleep P P key", 0, "Pause"},
        {"lock P unlock", 1, "Unpause"},
        {"P lock reset unlock", 0, "Pause"},
        {"P unlock connect wake key menu-end back", 1, "Unpause"}, // ends without a start
        {"lock lock unlock", 0, "Pause"},
        {"sleep P-key", 0, "Pause"}, // the key that wakes the game is not played
        {"sleep P-key P-key", 1, "Unpause"},
        {"away sleep back P-key", 1, "Unpause"}, // the activation woke it
        {"away lock unlock", 1, "Pause"},        // unlocked behind another window
        {"away lock unlock back", 0, "Pause"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.steps);
        RulesTest::SetUp();
        std::istringstream words(row.steps);
        for (std::string word; words >> word;) {
            host.resetAnswers = {true};
            if (word == "P" || word == "reset") {
                word == "P" ? TogglePause() : ConfirmReset();
            } else if (word == "P-key" && !PlayerSeen()) {
                TogglePause();
            } else if (word != "P-key") {
                const auto event = std::find(events.begin(), events.end(), word);
                ASSERT_NE(event, events.end()) << word;
                AutoPauseEvent(static_cast<PauseEvent>(event - events.begin()));
            }
        }
        EXPECT_EQ(paused, row.paused);
        const std::vector<int> labels = LoggedValues(Logged::PauseLabel);
        EXPECT_EQ(labels.empty() || labels.back() == 0 ? "Pause" : "Unpause",
                  std::string(row.label));
        EXPECT_EQ(labels.empty() ? 0 : labels.back(), userPaused);
        EXPECT_EQ(host.fineTimer, paused == 0);
    }
}

} // namespace
