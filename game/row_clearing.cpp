#include "game/row_clearing.h"

#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/turn.h"
#include "settings/settings.h"

int32_t fullRows[MaxUsedRows];
int32_t flashCount = 0;

namespace {

bool IsFull(int row) {
    for (int c = 0; c < settings->BrksPerLine; ++c) {
        if (glass->cells[row][c].color == EmptyCell) {
            return false;
        }
    }
    return true;
}

} // namespace

void ClearFullRows() {
    int found = 0;
    for (int32_t& slot : fullRows) {
        slot = -1;
    }
    for (int r = 0; r < settings->BrksPerColumn; ++r) {
        if (IsFull(r)) {
            fullRows[found++] = r;
        }
    }
    if (found == 0) {
        return;
    }
    SetFallTimer(FlashPeriod);
    score += RowClearPoints * found;
    flashCount = FlashTicks;
    UpdateScorePanel();

    if (PumpMessages(FlashFilter)) {
        SaveSettingsAndExit();
    }
    // Top to bottom: removing a row moves only the rows above it, so every row still listed
    // keeps its index until its turn comes.
    for (int i = 0; i < found; ++i) {
        RemoveRow(fullRows[i]);
    }
}

bool FlashFilter(const Event& event) {
    if (paused || event.kind != EventKind::TimerTick) {
        return true;
    }
    // Flash colours 0 (light) and 1 (dark) belong to no figure, so the rows stand out.
    const auto color = static_cast<int8_t>(flashCount % 2);
    for (int i = 0; i < MaxUsedRows && fullRows[i] != -1; ++i) {
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            glass->cells[fullRows[i]][c] = {color, 1};
        }
    }
    RequestGlassRepaint();
    --flashCount;
    return flashCount != 0;
}
