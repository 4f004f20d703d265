// The game pauses by itself while the player is elsewhere: another window in front, the menu
// open, the session locked or on no screen, the computer asleep. The desktop's messages become
// the rules' pause events; the glass turns black at once and is drawn whole when the game goes on.
#pragma once

#include <windows.h>

// A lock, a switch to another user or a disconnected remote session changes the desktop without
// deactivating the window: the window asks for these changes, and gives the request back when it
// goes.
void WatchSession(HWND window);
void StopWatchingSession(HWND window);

// WM_ACTIVATE, WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_WTSSESSION_CHANGE or WM_POWERBROADCAST;
// returns the message's result.
LRESULT DesktopMessage(UINT message, WPARAM wParam);

// A message the game's pump fetched: a key or a click in one of the game's windows shows the
// player at the computer. True when it ended a sleep, and so must do nothing else.
bool WakesTheGame(const MSG& message);
