#include "settings/stored_values.h"

#include <algorithm>
#include <cstring>

#include "settings/hiscore_table.h"

namespace {

// A number of exactly four bytes within its range; loading takes it, and a save keeps it.
bool IsUsableNumber(const StoredValue& value, const StoredValueRule& rule) {
    if (!value.present || value.size != 4) {
        return false;
    }
    const int32_t number = DecodeNumber(value, 0);
    return number >= rule.lowest && number <= rule.highest;
}

int32_t DecodeRanged(const StoredValue& value, const StoredValueRule& rule) {
    return IsUsableNumber(value, rule) ? DecodeNumber(value, 0) : rule.defaultValue;
}

// How many entries of the table, up to the end given, have this entry's name and score.
int CountEqual(const HiScoreEntry* table, int end, const HiScoreEntry& entry) {
    return static_cast<int>(std::count_if(table, table + end, [&](const HiScoreEntry& other) {
        return other.score == entry.score &&
               std::strncmp(other.name, entry.name, HiScoreNameSize) == 0;
    }));
}

void DecodeHiScores(const StoredValue& value, Settings* record) {
    // Cleared first, so that the bytes after each default name's NUL, which are saved too, hold
    // zeros rather than whatever the record held.
    std::memset(record->HiScores, 0, sizeof record->HiScores);
    SetDefaultHiScores(record);
    // A short table keeps the entries it covers whole; a partly covered entry stays default.
    if (value.present && value.size <= sizeof record->HiScores) {
        std::memcpy(record->HiScores, value.bytes,
                    value.size / sizeof(HiScoreEntry) * sizeof(HiScoreEntry));
    }
    // A stored name need not end within its field; every name the program uses must.
    for (HiScoreEntry& entry : record->HiScores) {
        entry.name[HiScoreNameSize - 1] = '\0';
    }
}

} // namespace

int32_t DecodeNumber(const StoredValue& value, int32_t defaultValue) {
    // The type is not looked at; fewer bytes would leave the rest of the number undefined.
    if (!value.present || value.size != 4) {
        return defaultValue;
    }
    const uint8_t* b = value.bytes;
    return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | uint32_t{b[3]} << 24);
}

void EncodeNumber(int32_t number, StoredValue* value) {
    const uint32_t bits = static_cast<uint32_t>(number);
    value->present = true;
    value->type = StoredNumberType;
    value->size = 4;
    for (int i = 0; i < 4; ++i) {
        value->bytes[i] = static_cast<uint8_t>(bits >> 8 * i);
    }
}

void SetDefaultHiScores(Settings* record) {
    for (HiScoreEntry& entry : record->HiScores) {
        std::memcpy(entry.name, "None", 5);
        entry.score = 0;
    }
}

void DecodeSettings(const StoredValue (&values)[StoredValueCount], Settings* record) {
    const auto number = [&](StoredValueIndex i) {
        return DecodeRanged(values[i], StoredValueRules[i]);
    };
    record->BrkWidth = number(BrkWidthIndex);
    record->BrkHeight = number(BrkHeightIndex);
    record->BrksPerLine = number(BrksPerLineIndex);
    record->BrksPerColumn = number(BrksPerColumnIndex);
    record->GlassBackgrColor = static_cast<uint32_t>(number(GlassBackgrColorIndex));
    record->FiguresSetSize = number(FiguresSetSizeIndex);
    DecodeHiScores(values[HiScoresIndex], record);
}

void MergeSettings(const StoredValue (&stored)[StoredValueCount], const Settings& base,
                   const Settings& record, Settings* merged) {
    // The numbers are chosen as stored bytes, so that loading's rules decide what they hold.
    StoredValue mine[StoredValueCount];
    StoredValue old[StoredValueCount];
    StoredValue chosen[StoredValueCount];
    EncodeSettings(record, mine);
    EncodeSettings(base, old);
    for (int i = 0; i < HiScoresIndex; ++i) {
        const bool changedHere = std::memcmp(mine[i].bytes, old[i].bytes, 4) != 0;
        chosen[i] =
            changedHere || !IsUsableNumber(stored[i], StoredValueRules[i]) ? mine[i] : stored[i];
    }
    chosen[HiScoresIndex] = stored[HiScoresIndex];
    DecodeSettings(chosen, merged);
    merged->ClientWidth = record.ClientWidth;
    merged->ClientHeight = record.ClientHeight;

    // Nobody else saved a table since this copy last read or wrote it: this copy's is written as
    // it stands, byte for byte.
    if (std::memcmp(merged->HiScores, base.HiScores, sizeof base.HiScores) == 0) {
        std::memcpy(merged->HiScores, record.HiScores, sizeof record.HiScores);
        return;
    }
    // An entry of this copy's goes in unless both the base and the store hold it: then it is
    // neither new here nor lost there. Equal entries count one by one, best placed first.
    HiScoreEntry storedTable[HiScoreCount];
    std::memcpy(storedTable, merged->HiScores, sizeof storedTable);
    for (int i = 0; i < HiScoreCount; ++i) {
        const HiScoreEntry& entry = record.HiScores[i];
        if (CountEqual(record.HiScores, i, entry) >=
            std::min(CountEqual(base.HiScores, HiScoreCount, entry),
                     CountEqual(storedTable, HiScoreCount, entry))) {
            InsertHiScore(merged->HiScores, entry.name, entry.score);
        }
    }
}

void EncodeSettings(const Settings& record, StoredValue (&values)[StoredValueCount]) {
    EncodeNumber(record.BrkWidth, &values[BrkWidthIndex]);
    EncodeNumber(record.BrkHeight, &values[BrkHeightIndex]);
    EncodeNumber(record.BrksPerLine, &values[BrksPerLineIndex]);
    EncodeNumber(record.BrksPerColumn, &values[BrksPerColumnIndex]);
    EncodeNumber(static_cast<int32_t>(record.GlassBackgrColor), &values[GlassBackgrColorIndex]);
    EncodeNumber(record.FiguresSetSize, &values[FiguresSetSizeIndex]);
    StoredValue& table = values[HiScoresIndex];
    table.present = true;
    table.type = StoredTableType;
    table.size = sizeof record.HiScores;
    std::memcpy(table.bytes, record.HiScores, sizeof record.HiScores);
}
