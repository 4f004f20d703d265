// Program entry and start-up.
#pragma once

#include <windows.h>

#include "app/command_line.h"

// Everything before the first game: the records loaded, the windows made, laid out and shown.
void StartUp();

// Start-up and the endless game loop; returns only after the uninstall switch.
int RunProgram();
