// The nested event pump and the fatal-error reporter (declared for the rules in game/host.h).
#pragma once

#include <windows.h>

#include "game/host.h"

// The event a filter sees for a message of the thread's queue.
Event ToEvent(const MSG& message);
