// The program's lasting state: one record, loaded at start-up and saved when a score enters the
// table, when Options are accepted and when the player quits.
#pragma once

#include <cstdint>

constexpr int HiScoreCount = 13;
constexpr int HiScoreNameSize = 52;

// One row of the high-score table; the table is stored byte for byte, so the layout is fixed.
struct HiScoreEntry {
    char name[HiScoreNameSize]; // NUL-terminated
    int32_t score;
};
static_assert(sizeof(HiScoreEntry) == 56, "a stored high-score entry is 56 bytes");

struct Settings {
    int32_t BrkWidth;          // brick width in pixels, 6..50
    int32_t BrkHeight;         // brick height in pixels, 6..50
    int32_t BrksPerLine;       // glass columns, 7..30
    int32_t BrksPerColumn;     // glass rows, 7..40
    int32_t ClientWidth;       // derived by the layout: BrksPerLine * BrkWidth
    int32_t ClientHeight;      // derived by the layout: BrksPerColumn * BrkHeight + TopBandHeight
    uint32_t GlassBackgrColor; // red in the low byte, then green, then blue
    int32_t FiguresSetSize;    // 6 (classic set) or 11 (extended set)
    HiScoreEntry HiScores[HiScoreCount]; // best first
};
static_assert(sizeof(Settings::HiScores) == 728, "the stored high-score table is 728 bytes");

// Created and loaded at start-up; the Options dialog, the high-score entry and the layout write it.
extern Settings* settings;
