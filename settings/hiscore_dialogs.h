// The high-score dialogs: "Enter Your name" after a game, and "Hi-Scores", which shows the table.
#pragma once

#include <windows.h>

#include "settings/settings.h"

// The name from the last use of the name dialog; empty when it was cancelled.
extern char playerName[HiScoreNameSize];

// Asks for the player's name and enters the game's score when it qualifies.
void EnterHiScore();

// Windows is ending the session: a name dialog still open enters the score as its OK would, so
// that the save that follows holds it.
void EnterHiScoreBeforeSessionEnds();

INT_PTR CALLBACK NameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Opened with a non-zero parameter after a finished game, which enters its score first; with 0
// from the menu, which only shows the table.
INT_PTR CALLBACK HiScoresDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
