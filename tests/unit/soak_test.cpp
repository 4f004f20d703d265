// Thousands of whole games played with random keys, ticks and button clicks, the glass resized
// now and then in the middle of a game, with the rules' invariants checked after every event.
#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "rules_fixture.h"

namespace {

struct GlassSize {
    int columns;
    int rows;
    int weight; // share of the games played in this glass
};

// Small glasses fill up within a few figures, so most games are played in them; the large ones
// give long games with many full rows.
constexpr GlassSize SmallGlasses[] = {
    {7, 7, 8}, {8, 9, 3}, {9, 13, 2}, {13, 7, 2}, {11, 11, 2}, {7, 16, 1},
};
constexpr GlassSize LargeGlasses[] = {
    {10, 20, 6}, {30, 40, 2}, {17, 33, 2}, {30, 7, 1}, {7, 40, 1}, {23, 29, 1},
};

constexpr int MinColumns = 7, MaxColumns = 30;
constexpr int MinRows = 7, MaxRows = 40;
constexpr int MaxEventsPerGame = 200000; // far beyond any game; more means a game that never ends

class SoakTest : public RulesTest {
  protected:
    // Plays games until the wanted number has finished, then quits the way the player does.
    template <size_t N>
    void Soak(const GlassSize (&sizes)[N], int games, unsigned seed) {
        gamesWanted = games;
        std::srand(seed);
        host.moreEvents = [this](Event& next) { return NextEvent(next); };
        host.afterEvent = [this](EventFilter filter) { CheckAfterEvent(filter); };
        exitCode = ExitCodeOf([&] {
            for (;;) {
                StartGame(sizes);
                PlayGame();
                EndGame();
            }
        });
    }

    template <size_t N>
    void StartGame(const GlassSize (&sizes)[N]) {
        int total = 0;
        for (const GlassSize& size : sizes) {
            total += size.weight;
        }
        int pick = Roll(total);
        size_t i = 0;
        while (pick >= sizes[i].weight) {
            pick -= sizes[i].weight;
            ++i;
        }
        UseGlass(sizes[i].columns, sizes[i].rows);
        settings->FiguresSetSize = Roll(2) == 0 ? 6 : 11;
        setChangedThisGame = false;
        resizedThisGame = false;
        eventsThisGame = 0;
        lastScore = 0;
        bricksCounted = true;
        bricksLeft = 0;
        rowsFlashed = 0;
        ReadLog();
        hiScoreEntriesBefore = hiScoreEntries.size();
    }

    void EndGame() {
        ReadLog();
        if (resetRequested) {
            ++resetGames;
            if (hiScoreEntries.size() != hiScoreEntriesBefore) {
                Fail("a game ended by a reset entered the high-score table");
            }
        } else if (hiScoreEntries.size() != hiScoreEntriesBefore + 1 ||
                   hiScoreEntries.back() != score) {
            Fail("a finished game did not enter its final score into the high-score table");
        }
        // Cells outside the used region keep what they held; they too must be valid colours.
        for (const auto& row : glass->cells) {
            for (const GlassCell& cell : row) {
                if (cell.color < EmptyCell || cell.color > 7) {
                    Fail("the glass storage holds an invalid colour at game over");
                }
            }
        }
        ++gamesFinished;
    }

    static int Roll(int n) {
        return std::rand() % n;
    }

    // Takes in what the host logged since the last call; the log of thousands of games would
    // grow with every event, so it is emptied each time.
    void ReadLog() {
        for (const LogEntry& entry : host.log) {
            switch (entry.what) {
            case Logged::PreviewRepaint:
                ++turns;
                break;
            case Logged::Score:
                scoreShown = entry.value;
                break;
            case Logged::PauseLabel:
                pauseLabel = entry.value;
                break;
            case Logged::HiScoreEntry:
                hiScoreEntries.push_back(entry.value);
                break;
            case Logged::Save:
                ++saves;
                break;
            default:
                break;
            }
        }
        host.log.clear();
    }

    // The player: mostly ticks and steering of the figure towards a low spot of the pile, so
    // that rows fill and games run out; the rest every key pressed and released at random, so
    // the Up and Down locks come and go; now and then a button or the Options.
    bool NextEvent(Event& next) {
        ReadLog();
        if (failed || gamesFinished >= gamesWanted) {
            return false;
        }
        if (++eventsThisGame > MaxEventsPerGame) {
            Fail("a game does not end");
            return false;
        }
        if (turns != turnsSeen) {
            turnsSeen = turns;
            kindsDrawn[settings->FiguresSetSize].insert(nextKind);
            rotationsDrawn.insert(nextRotation);
            ChooseTarget();
        }
        next = {EventKind::Other, 0};
        if (paused) {
            // A pause lasts a few events; the flash ignores P, so the button has to end it there.
            const int roll = Roll(8);
            if (roll == 0) {
                next = {EventKind::KeyPressed, KeyP};
                return true;
            }
            if (roll == 1) {
                ScriptClick([] { TogglePause(); });
                return true;
            }
        }
        const int rare = Roll(10000);
        if (rare < optionsChangeRate) {
            ScriptClick([this] { ChangeOptions(); });
            return true;
        }
        if (rare < optionsChangeRate + resetRate) {
            const bool yes = Roll(4) != 0;
            ScriptClick([yes] {
                host.resetAnswers.push_back(yes);
                ConfirmReset();
            });
            return true;
        }
        if (rare < optionsChangeRate + resetRate + pauseRate) {
            ScriptClick([] { TogglePause(); });
            return true;
        }
        const int roll = Roll(100);
        if (roll < 20) {
            if (host.timerPeriod != 0) {
                next = {EventKind::TimerTick, 0};
            }
        } else if (roll < 90) {
            next = Steer();
        } else {
            next = RandomKey();
        }
        return true;
    }

    Event RandomKey() {
        struct Choice {
            EventKind kind;
            int key;
            int weight;
        };
        static constexpr Choice choices[] = {
            {EventKind::KeyPressed, KeySpace, 8},
            {EventKind::KeyPressed, KeyLeft, 12},
            {EventKind::KeyPressed, KeyRight, 12},
            {EventKind::KeyPressed, KeyUp, 10},
            {EventKind::KeyReleased, KeyUp, 15},
            {EventKind::KeyPressed, KeyDown, 8},
            {EventKind::KeyReleased, KeyDown, 15},
            {EventKind::KeyPressed, KeyP, 2},
            {EventKind::KeyReleased, KeySpace, 3},
            {EventKind::KeyReleased, KeyLeft, 3},
            {EventKind::KeyReleased, KeyRight, 3},
            {EventKind::KeyReleased, KeyP, 3},
            {EventKind::Other, 0, 6},
        };
        int pick = Roll(100);
        for (const Choice& choice : choices) {
            if (pick < choice.weight) {
                return {choice.kind, choice.key};
            }
            pick -= choice.weight;
        }
        return {EventKind::Other, 0};
    }

    // Mostly the place where the figure's bricks lie lowest and leave the fewest holes under
    // them, judged from the top of the pile in each column; sometimes anywhere.
    void ChooseTarget() {
        targetRotation = Roll(RotationCount);
        targetColumn = Roll(settings->BrksPerLine);
        if (Roll(10) == 0) {
            return;
        }
        int top[GlassColumns];
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            top[c] = 0;
            while (top[c] < settings->BrksPerColumn &&
                   (glass->cells[top[c]][c].color == EmptyCell || IsFigureCell(top[c], c))) {
                ++top[c];
            }
        }
        int bestValue = 0;
        bool found = false;
        for (int rotation = 0; rotation < RotationCount; ++rotation) {
            const ShapeRecord& picture = ShapeTable[figure->shapeIndex[rotation]];
            int lowest[ShapeSize]; // the lowest brick of each picture column, -1 for none
            int highest = ShapeSize;
            int left = ShapeSize;
            int right = -1;
            for (int c = 0; c < ShapeSize; ++c) {
                lowest[c] = -1;
                for (int r = 0; r < ShapeSize; ++r) {
                    if (IsBrick(picture.rows[r][c])) {
                        lowest[c] = r;
                        highest = std::min(highest, r);
                        left = std::min(left, c);
                        right = c;
                    }
                }
            }
            for (int column = 0; column + right - left < settings->BrksPerLine; ++column) {
                int row = settings->BrksPerColumn;
                for (int c = left; c <= right; ++c) {
                    if (lowest[c] >= 0) {
                        row = std::min(row, top[column + c - left] - lowest[c] - 1);
                    }
                }
                if (row + highest < 0) {
                    continue;
                }
                int value = 4 * (row + highest);
                for (int c = left; c <= right; ++c) {
                    if (lowest[c] >= 0) {
                        const int holes = top[column + c - left] - (row + lowest[c]) - 1;
                        value += 2 * (row + lowest[c]) - 25 * holes;
                    }
                }
                if (!found || value > bestValue || (value == bestValue && Roll(2) == 0)) {
                    found = true;
                    bestValue = value;
                    targetRotation = rotation;
                    targetColumn = column;
                }
            }
        }
    }

    bool IsFigureCell(int row, int column) const {
        const int r = row - figure->row;
        const int c = column - figure->column;
        return r >= 0 && r < ShapeSize && c >= 0 && c < ShapeSize &&
               IsBrick(figure->Picture().rows[r][c]);
    }

    // The key that brings the figure closer to its target: turn it, move its leftmost brick to
    // the target column, then drop it. Held Up or Down is released first, as it locks the rest.
    Event Steer() const {
        if (rotateHeld) {
            return {EventKind::KeyReleased, KeyUp};
        }
        if (softDrop) {
            return {EventKind::KeyReleased, KeyDown};
        }
        if (figure->rotation != targetRotation) {
            return {EventKind::KeyPressed, KeyUp};
        }
        int leftmost = ShapeSize;
        for (const char* row : figure->Picture().rows) {
            for (int c = 0; c < leftmost; ++c) {
                if (IsBrick(row[c])) {
                    leftmost = c;
                }
            }
        }
        const int column = figure->column + leftmost;
        if (column < targetColumn) {
            return {EventKind::KeyPressed, KeyRight};
        }
        if (column > targetColumn) {
            return {EventKind::KeyPressed, KeyLeft};
        }
        return {EventKind::KeyPressed, KeySpace};
    }

    // An accepted OK in the Options dialog: the game goes on in a glass of the new size, with
    // the cells as they were.
    void ChangeOptions() {
        ++optionsChanges;
        const int what = Roll(100) < narrowToFullRowsShare ? -1 : Roll(3);
        if (what == -1) {
            settings->BrksPerLine = MostFullRowsWidth();
        } else if (what == 0) {
            settings->BrksPerLine = MinColumns + Roll(MaxColumns - MinColumns + 1);
        } else if (what == 1) {
            settings->BrksPerColumn = MinRows + Roll(MaxRows - MinRows + 1);
        } else {
            settings->BrksPerLine = MinColumns + Roll(MaxColumns - MinColumns + 1);
            settings->BrksPerColumn = MinRows + Roll(MaxRows - MinRows + 1);
        }
        if (Roll(3) == 0) {
            settings->FiguresSetSize = settings->FiguresSetSize == 6 ? 11 : 6;
            setChangedThisGame = true;
            ++setChanges;
        }
        // Bricks now outside the used region, and a figure that may stand partly outside it,
        // make the count meaningless until the next figure enters.
        bricksCounted = false;
        resizedThisGame = true;
        MarkAllForRepaint();
    }

    // The narrower width at which the most rows are full, for a player out to make them flash.
    int MostFullRowsWidth() const {
        int best = settings->BrksPerLine;
        int bestCount = 0;
        for (int width = MinColumns; width < settings->BrksPerLine; ++width) {
            int count = 0;
            for (int r = 0; r < settings->BrksPerColumn; ++r) {
                int c = 0;
                while (c < width && glass->cells[r][c].color != EmptyCell) {
                    ++c;
                }
                count += c == width ? 1 : 0;
            }
            if (count > bestCount) {
                best = width;
                bestCount = count;
            }
        }
        return best;
    }

    void CheckAfterEvent(EventFilter filter) {
        ReadLog();
        ++events;
        int bricks = 0;
        int flashBricks = 0;
        for (int r = 0; r < settings->BrksPerColumn; ++r) {
            for (int c = 0; c < settings->BrksPerLine; ++c) {
                const int8_t color = glass->cells[r][c].color;
                if (color < EmptyCell || color > 7) {
                    Fail("a cell holds an invalid colour");
                }
                bricks += color != EmptyCell ? 1 : 0;
                flashBricks += color == 0 || color == 1 ? 1 : 0;
            }
        }
        if (score < lastScore) {
            Fail("the score went down from " + std::to_string(lastScore));
        }
        lastScore = score;
        if (scoreShown != score) {
            Fail("the score panel does not show the score");
        }
        if (fallPeriod < FastestFallPeriod || fallPeriod > StartFallPeriod) {
            Fail("the fall period left its range");
        }
        if (!IsKnownKind(nextKind) || nextRotation < 0 || nextRotation >= RotationCount) {
            Fail("the preview shows no valid figure");
        }
        if (host.timerPeriod == 0) {
            Fail("a pump runs with the fall timer stopped, so no tick can come");
        }
        if (paused != userPaused) {
            Fail("the effective pause differs from the player's pause");
        }
        if (pauseLabel != -1 && pauseLabel != userPaused) {
            Fail("the Pause button's label does not match the pause");
        }
        if (filter == TurnFilter) {
            CheckBrickCount(bricks);
            // Only a glass narrowed during a flash leaves flashed cells outside the removed rows.
            if (flashBricks > 0 && !resizedThisGame) {
                Fail("a flashed brick outlived its row");
            }
        }
        if (filter == TurnFilter && !paused) {
            CheckFallingFigure();
        }
        if (filter == FlashFilter) {
            CheckFullRowList();
        }
    }

    // Bricks come only with a new figure and go only with the rows of a flash: moves, turns,
    // drops and the flash's colours neither make nor lose one.
    void CheckBrickCount(int bricks) {
        int expected = bricksLeft;
        if (turns != turnCounted) {
            turnCounted = turns;
            expected += FigureBricks() - rowsFlashed * settings->BrksPerLine;
            rowsFlashed = 0;
            if (!bricksCounted) {
                bricksCounted = true;
                expected = bricks;
            }
        }
        if (bricksCounted && bricks != expected) {
            Fail("the glass holds " + std::to_string(bricks) + " bricks instead of " +
                 std::to_string(expected));
        }
        bricksLeft = bricks;
    }

    int FigureBricks() const {
        int bricks = 0;
        for (const char* row : figure->Picture().rows) {
            for (int c = 0; c < ShapeSize; ++c) {
                bricks += IsBrick(row[c]) ? 1 : 0;
            }
        }
        return bricks;
    }

    // A kind the figure set in play contains, or any kind while a figure drawn from the set
    // before an Options change may still be on its way.
    bool IsKnownKind(int kind) const {
        const int setSize = setChangedThisGame ? KindCount : settings->FiguresSetSize;
        return kind >= 0 && kind < setSize;
    }

    void CheckFallingFigure() {
        if (!IsKnownKind(figure->kind) || figure->rotation < 0 ||
            figure->rotation >= RotationCount) {
            Fail("the falling figure is of no valid kind or rotation");
            return;
        }
        const auto color = static_cast<int8_t>(FigureTable[figure->kind].color);
        const ShapeRecord& picture = figure->Picture();
        for (int r = 0; r < ShapeSize; ++r) {
            for (int c = 0; c < ShapeSize; ++c) {
                if (!IsBrick(picture.rows[r][c])) {
                    continue;
                }
                const int row = figure->row + r;
                const int column = figure->column + c;
                if (row < 0 || row >= GlassRows || column < 0 || column >= GlassColumns) {
                    Fail("a brick of the falling figure lies outside the glass storage");
                } else if (glass->cells[row][column].color != color) {
                    Fail("a cell of the falling figure does not hold its colour");
                }
            }
        }
    }

    void CheckFullRowList() {
        int count = 0;
        while (count < MaxUsedRows && fullRows[count] != -1) {
            const int row = fullRows[count];
            if (row < 0 || row >= MaxRows || (count > 0 && row <= fullRows[count - 1])) {
                Fail("the full rows are not listed top to bottom");
                return;
            }
            ++count;
        }
        for (int i = count; i < MaxUsedRows; ++i) {
            if (fullRows[i] != -1) {
                Fail("the full-row list has a gap");
            }
        }
        if (count == 0) {
            Fail("a flash runs with no full rows");
        }
        if (flashCount < 0 || flashCount > FlashTicks) {
            Fail("the flash's tick count left its range");
        }
        rowsFlashed = count;
        if (count > mostFullRows) {
            mostFullRows = count;
        }
    }

    // Reports the first broken invariant with the situation, and ends the run: after one fault
    // the following thousands of events would only repeat it.
    void Fail(const std::string& what) {
        if (failed) {
            return;
        }
        failed = true;
        std::ostringstream situation;
        situation << what << "\n  game " << gamesFinished + 1 << ", event " << eventsThisGame
                  << ", glass " << settings->BrksPerLine << "x" << settings->BrksPerColumn
                  << ", figure set " << settings->FiguresSetSize << ", score " << score
                  << "\n  figure kind " << figure->kind << " rotation " << figure->rotation
                  << " at column " << figure->column << " row " << figure->row << "\n"
                  << GlassPicture();
        ADD_FAILURE() << situation.str();
    }

    // Every check of a run, so that a run that missed what it is meant to reach says so.
    void ExpectCleanRun() {
        ReadLog();
        EXPECT_FALSE(failed);
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(saves, 1);
        EXPECT_EQ(gamesFinished, gamesWanted);
        EXPECT_EQ(static_cast<int>(hiScoreEntries.size()), gamesFinished - resetGames);
        RecordProperty("games", gamesFinished);
        RecordProperty("events", static_cast<int>(events));
        RecordProperty("resets", resetGames);
        RecordProperty("options_changes", optionsChanges);
        RecordProperty("most_full_rows", mostFullRows);
    }

    int gamesWanted = 0;
    // Clicks, in 10,000 events.
    int optionsChangeRate = 3;
    int resetRate = 10;
    int pauseRate = 15;
    int narrowToFullRowsShare = 25; // percent of the Options changes
    int exitCode = -999;
    bool failed = false;
    int gamesFinished = 0;
    int resetGames = 0;
    int optionsChanges = 0;
    int setChanges = 0;
    int mostFullRows = 0;
    long events = 0;
    int eventsThisGame = 0;
    int32_t lastScore = 0;
    bool setChangedThisGame = false;
    bool resizedThisGame = false;
    size_t hiScoreEntriesBefore = 0;
    // What the log showed so far: turns begun (one preview repaint each), the score panel, the
    // Pause button's label (-1 before the first), the scores entered and the saves.
    int turns = 0;
    int scoreShown = -1;
    int pauseLabel = -1;
    std::vector<int> hiScoreEntries;
    int saves = 0;
    int turnsSeen = 0;
    // The next figures drawn, by the set in play when they were drawn.
    std::map<int, std::set<int>> kindsDrawn;
    std::set<int> rotationsDrawn;
    // The bricks in the used glass at the last event of the turn, and the rows of the flash
    // after it, while no Options change has made the count meaningless.
    bool bricksCounted = true;
    int bricksLeft = 0;
    int rowsFlashed = 0;
    int turnCounted = 0;
    int targetColumn = 0;
    int targetRotation = 0;
};

TEST_F(SoakTest, ThousandsOfGamesInSmallGlassesKeepTheInvariants) {
    Soak(SmallGlasses, 3000, 11);
    ExpectCleanRun();
    // The draws meet every kind of each set and every rotation, and nothing else.
    const auto upTo = [](int count) {
        std::set<int> numbers;
        for (int i = 0; i < count; ++i) {
            numbers.insert(i);
        }
        return numbers;
    };
    EXPECT_EQ(kindsDrawn[6], upTo(6));
    EXPECT_EQ(kindsDrawn[11], upTo(11));
    EXPECT_EQ(rotationsDrawn, upTo(4));
    EXPECT_GT(resetGames, 0);
    EXPECT_GT(optionsChanges, 0);
    EXPECT_GT(setChanges, 0);
}

TEST_F(SoakTest, LongGamesInLargeGlassesKeepTheInvariants) {
    resetRate = 2;
    Soak(LargeGlasses, 300, 12);
    ExpectCleanRun();
    EXPECT_GT(resetGames, 0);
    EXPECT_GT(setChanges, 0);
}

// Narrowing a glass whose rows are filled on the left makes many rows full at once, more than
// one landing ever completes; the flash and the removal must cope with all of them.
TEST_F(SoakTest, GlassesNarrowedMidGameFlashManyFullRowsAtOnce) {
    optionsChangeRate = 15;
    narrowToFullRowsShare = 75;
    resetRate = 2;
    Soak(LargeGlasses, 300, 13);
    ExpectCleanRun();
    EXPECT_GT(mostFullRows, 5);
}

} // namespace
