// What the rules cost: one event through the turn's filter, and whole games of random play.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_host.h"
#include "game/figure.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/turn.h"
#include "settings/settings.h"

namespace {

constexpr int TKind = 5; // the T-shaped figure of the classic set

// A 10 x 20 glass whose lower half is filled with holes and no full row, the T figure standing
// above it with room on both sides, nothing held and no pause.
void SetUpTurn(int rows) {
    UseBenchGlass(10, rows, 6);
    for (int r = rows / 2; r < rows; ++r) {
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            if ((r * 7 + c * 3) % 5 != 0) {
                glass->cells[r][c] = {2, 0};
            }
        }
    }
    paused = 0;
    userPaused = 0;
    resetRequested = 0;
    softDrop = 0;
    rotateHeld = 0;
    score = 0;
    fallPeriod = StartFallPeriod;
    figure->Init(TKind, 0);
    figure->row = 0;
    figure->Stamp();
}

void TurnFilterSidewaysKey(benchmark::State& state) {
    SetUpTurn(20);
    const Event left{EventKind::KeyPressed, KeyLeft};
    const Event right{EventKind::KeyPressed, KeyRight};
    bool toLeft = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TurnFilter(toLeft ? left : right));
        toLeft = !toLeft;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(TurnFilterSidewaysKey);

// Up pressed and released: a rotation, counted as two events.
void TurnFilterRotation(benchmark::State& state) {
    SetUpTurn(20);
    const Event press{EventKind::KeyPressed, KeyUp};
    const Event release{EventKind::KeyReleased, KeyUp};
    for (auto _ : state) {
        benchmark::DoNotOptimize(TurnFilter(press));
        benchmark::DoNotOptimize(TurnFilter(release));
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(TurnFilterRotation);

// A tick on which the figure falls a row. In a 40-row glass it falls about twenty rows before it
// rests; it is then put back at the top, which costs about as much as one more tick.
void TurnFilterTickFalling(benchmark::State& state) {
    SetUpTurn(40);
    const Event tick{EventKind::TimerTick, 0};
    for (auto _ : state) {
        if (!TurnFilter(tick)) {
            figure->Erase();
            figure->row = 0;
            figure->Stamp();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(TurnFilterTickFalling);

// The tick that lands a resting figure and ends the turn's pump.
void TurnFilterTickLanding(benchmark::State& state) {
    SetUpTurn(20);
    figure->Drop();
    const Event tick{EventKind::TimerTick, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(TurnFilter(tick));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(TurnFilterTickLanding);

constexpr unsigned GameSeed = 7;
long gameEvents = 0;

// Plenty of ticks between keys pressed and released at random, so every game runs out.
bool RandomPlayer(Event& next) {
    ++gameEvents;
    const int roll = std::rand() % 100;
    if (roll < 40) {
        next = {EventKind::TimerTick, 0};
    } else if (roll < 50) {
        next = {EventKind::KeyPressed, KeySpace};
    } else if (roll < 62) {
        next = {EventKind::KeyPressed, KeyLeft};
    } else if (roll < 74) {
        next = {EventKind::KeyPressed, KeyRight};
    } else if (roll < 80) {
        next = {EventKind::KeyPressed, KeyUp};
    } else if (roll < 88) {
        next = {EventKind::KeyReleased, KeyUp};
    } else if (roll < 92) {
        next = {EventKind::KeyPressed, KeyDown};
    } else {
        next = {EventKind::KeyReleased, KeyDown};
    }
    return true;
}

// One whole game in a glass of range(0) columns by range(1) rows, the same game every time.
void WholeGame(benchmark::State& state) {
    UseBenchGlass(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 6);
    benchEvents = RandomPlayer;
    long events = 0;
    for (auto _ : state) {
        std::srand(GameSeed);
        softDrop = 0; // a new game keeps the keys held at the end of the last one
        rotateHeld = 0;
        gameEvents = 0;
        PlayGame();
        events += gameEvents;
    }
    benchEvents = nullptr;
    state.SetItemsProcessed(events);
    state.counters["events"] = static_cast<double>(gameEvents);
    state.counters["score"] = score;
}
BENCHMARK(WholeGame)->Args({7, 7})->Args({10, 20})->Args({30, 40});

} // namespace

BENCHMARK_MAIN();
