// The settings record as the store holds it: seven values of bytes, and the rules of what is
// taken from them. Plain C++, so that the rules can be run on any bytes at all; the registry
// layer (store.h) only moves the bytes in and out.
#pragma once

#include <cstdint>

#include "settings/settings.h"

// The registry types that saving writes; loading never looks at a stored value's type.
constexpr uint32_t StoredNumberType = 4; // REG_DWORD
constexpr uint32_t StoredTableType = 3;  // REG_BINARY

// The seven values, in the order they are loaded.
enum StoredValueIndex {
    BrkWidthIndex,
    BrkHeightIndex,
    BrksPerLineIndex,
    BrksPerColumnIndex,
    GlassBackgrColorIndex,
    FiguresSetSizeIndex,
    HiScoresIndex,
    StoredValueCount
};

// A value's name, and for a number its default and the range it must lie in to be taken: the
// rest of the program relies on these ranges, so anything outside loads as the default.
struct StoredValueRule {
    const char* name;
    int32_t defaultValue;
    int32_t lowest;
    int32_t highest;
};

constexpr StoredValueRule StoredValueRules[StoredValueCount] = {
    {"BrkWidth", 15, 6, 50},
    {"BrkHeight", 15, 6, 50},
    {"BrksPerLine", 10, 7, 30},
    {"BrksPerColumn", 20, 7, 40},
    // Any colour word is valid.
    {"GlassBackgrColor", 0x800040, INT32_MIN, INT32_MAX},
    // Only the two figure sets exist: 11 loads as the extended set, anything else as the classic.
    {"FiguresSetSize", 6, 11, 11},
    {"HiScores", 0, 0, 0}, // the table: no number, no range
};

// Saving writes the figure set before the colour, the opposite of loading.
constexpr StoredValueIndex StoredValueSaveOrder[StoredValueCount] = {
    BrkWidthIndex,       BrkHeightIndex,        BrksPerLineIndex, BrksPerColumnIndex,
    FiguresSetSizeIndex, GlassBackgrColorIndex, HiScoresIndex};

// What loading can use of a value is at most the table's 728 bytes; anything longer is refused.
constexpr uint32_t StoredValueCapacity = sizeof(Settings::HiScores);

// One stored value: whether it is there, its type, its whole size, and its leading bytes.
struct StoredValue {
    bool present;
    uint32_t type;
    uint32_t size;                      // may be more than the capacity
    uint8_t bytes[StoredValueCapacity]; // the first size bytes, or the first capacity bytes
};

// Fills every stored field of the record from the values: a number is taken when it is exactly
// four bytes (little-endian) and in its range, the table's whole entries when it is at most 728
// bytes; everything else takes its default. Every name ends within its field. The derived client
// size is left alone.
void DecodeSettings(const StoredValue (&values)[StoredValueCount], Settings* record);

// The record's seven values as saving writes them: six REG_DWORD numbers and the table.
void EncodeSettings(const Settings& record, StoredValue (&values)[StoredValueCount]);

// One number as stored: its value when it is exactly four bytes, otherwise the default.
int32_t DecodeNumber(const StoredValue& value, int32_t defaultValue);

// A number as saving writes it.
void EncodeNumber(int32_t number, StoredValue* value);

// Two copies of the game may run at once, so a save starts from what the store holds now rather
// than from what this copy loaded. Into merged goes what this copy writes:
// - each number this copy changed since its base (the record as it last read or wrote it) as this
//   copy has it, every other one as the store holds it, or as this copy has it where the store
//   holds no usable number: a save never writes less than this copy has;
// - the table, when the store still holds the base's, as this copy has it; otherwise the stored
//   table with this copy's entries inserted by the table's own rule: those entered since the base,
//   and those the store lost.
// The derived client size is this copy's.
void MergeSettings(const StoredValue (&stored)[StoredValueCount], const Settings& base,
                   const Settings& record, Settings* merged);

// Names every entry of the table "None" with score 0.
void SetDefaultHiScores(Settings* record);
