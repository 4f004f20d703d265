// Program entry and start-up.
#pragma once

#include <windows.h>

#include "app/command_line.h"

// What the entry point was given; created at entry and kept for the whole run.
struct AppInstance {
    HINSTANCE instance;
    HINSTANCE prevInstance;
    char* commandLine; // without the program's own name
    int showCommand;
};

extern AppInstance* appInstance;

// Everything before the first game: the records loaded, the windows made, laid out and shown.
void StartUp();

// Start-up and the endless game loop; returns only after the uninstall switch.
int RunProgram();
