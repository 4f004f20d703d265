// The command line's one switch, read without the platform.
#pragma once

// Whether the command line (after leading blanks, control characters and bytes of 128 or more)
// is exactly the uninstall switch, in any case. Reads no further than the terminating NUL.
bool IsUninstallSwitch(const char* commandLine);
