#include "game/game_cycle.h"

#include "game/glass.h"
#include "game/host.h"
#include "game/row_clearing.h"
#include "game/turn.h"

uint8_t paused = 0;
uint8_t userPaused = 0;
uint8_t savedPaused = 0;
uint8_t resetRequested = 0;

void PlayGame() {
    userPaused = 0;
    paused = 0;
    resetRequested = 0;
    score = 0;
    fallPeriod = StartFallPeriod;
    nextKind = -1;
    Clear();
    UpdateScorePanel();
    while (PlayTurn()) {
        ClearFullRows();
    }
    if (!resetRequested) {
        RunHiScoreEntry();
    }
}

void ConfirmReset() {
    if (!AskResetQuestion()) {
        return;
    }
    paused = 0;
    userPaused = 0;
    ShowPauseLabel(false);
    RequestGlassRepaint();
    resetRequested = 1;
}

void TogglePause() {
    FocusMainWindow();
    if (userPaused) {
        paused = 0;
        userPaused = 0;
        ShowPauseLabel(false);
        // Every cell is drawn again over the black pause picture.
        MarkAllForRepaint();
    } else {
        paused = 1;
        userPaused = 1;
        ShowPauseLabel(true);
    }
    RequestGlassRepaint();
}
