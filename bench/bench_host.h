// The platform as the benchmarks need it: events from a generator, every other effect ignored.
#pragma once

#include "game/host.h"

// Where the pumps take their events from; false delivers the quit event, which ends the
// benchmark program as it would end the game.
extern bool (*benchEvents)(Event& next);

// Sets the glass size and figure set and gives the rules an empty glass and a falling figure.
void UseBenchGlass(int columns, int rows, int figuresSetSize);
