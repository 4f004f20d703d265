#include "bench_host.h"

#include <cstdio>
#include <cstdlib>

#include "game/figure.h"
#include "game/glass.h"
#include "settings/settings.h"

bool (*benchEvents)(Event& next) = nullptr;

namespace {
Glass benchGlass;
Settings benchSettings;
Figure benchFigure;
} // namespace

void UseBenchGlass(int columns, int rows, int figuresSetSize) {
    benchSettings = Settings{};
    benchSettings.BrkWidth = 15;
    benchSettings.BrkHeight = 15;
    benchSettings.BrksPerLine = columns;
    benchSettings.BrksPerColumn = rows;
    benchSettings.FiguresSetSize = figuresSetSize;
    settings = &benchSettings;
    glass = &benchGlass;
    figure = &benchFigure;
    Clear();
}

bool PumpMessages(EventFilter filter) {
    Event next{EventKind::Other, 0};
    while (benchEvents != nullptr && benchEvents(next)) {
        if (!filter(next)) {
            return false;
        }
    }
    return true;
}

void SetFallTimer(int) {}
void StopFallTimer() {}
void HoldFineTimer(bool) {}
void RequestGlassRepaint() {}
void RequestPreviewRepaint() {}
void UpdateScorePanel() {}
void ShowPauseLabel(bool) {}
void FocusMainWindow() {}

bool AskResetQuestion() {
    return false;
}

void RunHiScoreEntry() {}

void SaveSettingsAndExit() {
    std::fputs("rules_bench: the event source ran out in the middle of a game\n", stderr);
    std::exit(1);
}

void RuntimeAssert(const char* file, int line) {
    std::fprintf(stderr, "rules_bench: run-time assertion failed in %s, line %d\n", file, line);
    std::exit(-1);
}
