// Row clearing: full rows score, flash for eight ticks and vanish, the rows above moving down.
#pragma once

#include <cstdint>

#include "game/host.h"

constexpr int MaxUsedRows = 40;
constexpr int RowClearPoints = 300; // for every cleared row, with no bonus for several at once
constexpr int FlashPeriod = 50;     // ms between the flash's ticks
constexpr int FlashTicks = 8;

// The full rows of the last scan, top to bottom, then -1. One landing fills at most five rows,
// but narrowing the glass in the Options dialog can make any number of rows full at once.
extern int32_t fullRows[MaxUsedRows];
// Flash ticks still to come.
extern int32_t flashCount;

// After every landing: finds the full rows, scores them, flashes them and removes them. The
// quit event during the flash ends the process from here.
void ClearFullRows();

// The flash's filter: every timer tick shows the full rows in the next flash colour.
bool FlashFilter(const Event& event);
