// Program entry and start-up.
#pragma once

#include <windows.h>

// What the entry point was given; created at entry and kept for the whole run.
struct AppInstance {
    HINSTANCE instance;
    HINSTANCE prevInstance;
    char* commandLine; // without the program's own name
    int showCommand;
};

extern AppInstance* appInstance;

// Whether the command line (after leading blanks and control characters) is exactly the
// uninstall switch, in any case.
bool IsUninstallSwitch(const char* commandLine);

// Start-up and the endless game loop; returns only after the uninstall switch.
int RunProgram();
