#include "game/game_cycle.h"

#include "game/glass.h"
#include "game/host.h"
#include "game/row_clearing.h"
#include "game/turn.h"

uint8_t paused = 0;
uint8_t userPaused = 0;
uint8_t savedPaused = 0;
uint8_t autoPauses = 0;
uint8_t resetRequested = 0;

namespace {

// The reason an event starts, and the reasons it ends. Any sign of the player ends the sleep: a
// wake by a timer tells nobody, so the player may come back by an unlock, a connect or a key.
struct PauseChange {
    uint8_t starts;
    uint8_t ends;
};
constexpr PauseChange PauseChanges[] = {
    {Inactive, 0},              // Deactivated
    {0, Inactive | Asleep},     // Activated
    {InMenu, 0},                // MenuEntered
    {0, InMenu},                // MenuLeft
    {Locked, 0},                // SessionLocked
    {0, Locked | Asleep},       // SessionUnlocked
    {Disconnected, 0},          // SessionDisconnected
    {0, Disconnected | Asleep}, // SessionConnected
    {Asleep, 0},                // Suspended
    {0, Asleep},                // ResumedByPlayer
    {0, Asleep},                // PlayerSeen
};

// The player's P, Reset or a new game: while the game is paused by itself, the player's state is
// kept aside for when the last reason ends.
void SetPlayersPause(uint8_t on) {
    userPaused = on;
    if (autoPauses != 0) {
        savedPaused = on;
    } else {
        paused = on;
    }
    HoldFineTimer(paused == 0);
}

} // namespace

bool AutoPauseEvent(PauseEvent event) {
    const PauseChange& change = PauseChanges[static_cast<int>(event)];
    const uint8_t before = paused;
    if (autoPauses == 0 && change.starts != 0) {
        savedPaused = paused;
    }
    const uint8_t held = autoPauses;
    autoPauses = static_cast<uint8_t>((autoPauses | change.starts) & ~change.ends);
    if (autoPauses != 0) {
        paused = 1;
    } else if (held != 0) {
        paused = savedPaused;
    }
    HoldFineTimer(paused == 0);
    return paused != before;
}

bool PlayerSeen() {
    const bool asleep = (autoPauses & Asleep) != 0;
    if (AutoPauseEvent(PauseEvent::PlayerSeen)) {
        MarkAllForRepaint();
        RequestGlassRepaint();
    }
    return asleep;
}

void PlayGame() {
    SetPlayersPause(0);
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
    SetPlayersPause(0);
    ShowPauseLabel(false);
    RequestGlassRepaint();
    resetRequested = 1;
}

void TogglePause() {
    FocusMainWindow();
    if (userPaused) {
        SetPlayersPause(0);
        ShowPauseLabel(false);
        // Every cell is drawn again over the black pause picture.
        MarkAllForRepaint();
    } else {
        SetPlayersPause(1);
        ShowPauseLabel(true);
    }
    RequestGlassRepaint();
}
