// The game cycle: whole games one after another, the player's pause, the pause the game takes by
// itself while the player is elsewhere, and the confirmed reset.
#pragma once

#include <cstdint>

// The effective pause, read by the filters and the painter: set by the player's pause and by
// any reason in autoPauses.
extern uint8_t paused;
// The pause the player chose (P or the Pause button); written by TogglePause, ConfirmReset and
// a new game. It alone decides the Pause button's label.
extern uint8_t userPaused;
// The player's pause kept aside while autoPauses holds a reason; paused takes it back when the
// last reason ends.
extern uint8_t savedPaused;
// Why the game is paused by itself, one bit per reason, each ended only by its own events.
enum AutoPauseReason : uint8_t {
    Inactive = 1,     // another window is in front
    InMenu = 2,       // the menu is open
    Locked = 4,       // the session is locked
    Disconnected = 8, // the session is not on any screen: another user's, or a remote one left
    Asleep = 16,      // the computer slept and nobody has been seen since
};
extern uint8_t autoPauses;

// What the window hears of the player's whereabouts.
enum class PauseEvent : uint8_t {
    Deactivated,
    Activated,
    MenuEntered,
    MenuLeft,
    SessionLocked,
    SessionUnlocked,
    SessionDisconnected,
    SessionConnected,
    Suspended,
    ResumedByPlayer, // a wake that the player started; a timer's or the network's is not told
    PlayerSeen,      // a key or a click in the window
};

// Starts or ends the reasons the event stands for; true when paused changed.
bool AutoPauseEvent(PauseEvent event);
// A key or a click in the window. True when it ended a sleep: like a screen's wake key, that one
// only shows the glass again and does nothing else.
bool PlayerSeen();
// A confirmed reset: the game runs out at once without a high-score entry.
extern uint8_t resetRequested;

// Plays one game from an empty glass to the figure that does not fit, then lets a finished game's
// score into the high-score table.
void PlayGame();

// The Reset button: asks, and on Yes lets the running game end without a high-score entry.
void ConfirmReset();

// P or the Pause button.
void TogglePause();
