// The rules of the high-score table, apart from the dialogs that ask for a name and show it.
#pragma once

#include <cstdint>

#include "settings/settings.h"

// Scores of this bound or more have no entry to replace, so they are not entered.
constexpr int32_t HiScoreBound = 999999999;

// Enters the score under the name when it is not below the lowest entry: it takes the place of
// the first, best-placed entry with the lowest score, and sinks below every entry with a higher
// score but no older one with the same score. Returns whether the table changed.
bool InsertHiScore(HiScoreEntry (&table)[HiScoreCount], const char* name, int32_t newScore);
