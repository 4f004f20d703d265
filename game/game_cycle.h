// The game cycle: whole games one after another, the player's pause and the confirmed reset.
#pragma once

#include <cstdint>

// The effective pause, read by the filters and the painter: set by the player's pause and by
// the main window while it is inactive or in its menu.
extern uint8_t paused;
// The pause the player chose (P or the Pause button); written by TogglePause, ConfirmReset and
// a new game.
extern uint8_t userPaused;
// The pause state kept while the main window is inactive or in its menu; written by the main
// window only.
extern uint8_t savedPaused;
// A confirmed reset: the game runs out at once without a high-score entry.
extern uint8_t resetRequested;

// Plays one game from an empty glass to the figure that does not fit, then lets a finished game's
// score into the high-score table.
void PlayGame();

// The Reset button: asks, and on Yes lets the running game end without a high-score entry.
void ConfirmReset();

// P or the Pause button.
void TogglePause();
