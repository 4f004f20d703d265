// Windows ending the session (an update's restart, a shutdown) ends the process without letting
// the game reach its own quit path.
#pragma once

#include <windows.h>

// WM_ENDSESSION: when the session does end, a name being typed for the table is entered, the
// settings are saved and the timer is given back.
void EndSession(WPARAM ending);
