// Fatal failures end the process, so a test runs them in a child: this test program started
// again with a switch that its main turns into the failing call.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct FatalReport {
    bool boxShown;                  // the box "Bug in Dropstakk!" appeared
    HWND boxOwner;                  // its owner; none for the fatal-error box
    std::vector<std::string> texts; // the texts of its controls
    DWORD exitCode;                 // how the child ended once the box was answered
};

// Starts the child, answers its error box with OK and waits for it to end.
FatalReport RunFatalChild(const char* childSwitch);

// Whether one of the box's texts starts with the text.
bool ShowsText(const FatalReport& report, const std::string& start);
