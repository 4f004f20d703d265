// What the menu, the two buttons and the close box ask of the main window: the dialogs, the About
// box, a new game, the player's pause, and the question before the program quits.
#pragma once

#include <windows.h>

// One of these, chosen at random, asks the player before the program quits.
constexpr int QuitMessageCount = 8;
extern const char* const QuitMessages[QuitMessageCount];

// A WM_COMMAND of the main window: a menu item, or a click on one of its buttons. Commands with
// another notification code than 0 do nothing.
void Command(WPARAM wParam, LPARAM lParam);

// Carries out the menu command in the low 16 bits of the command word.
void MenuCommand(HWND window, WPARAM command);

// Asks one of the quit questions, and on Yes destroys the main window, which ends the program.
void AskToQuit();
