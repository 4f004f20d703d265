// Decodes arbitrary stored values into the settings record, and checks that whatever is stored,
// the record holds only what the rest of the program can use, and that saving it and loading it
// again gives the same record; and that a save of any base and record, merged into what another
// copy of the game stored, is as usable and keeps every entry that ranks.
//
// The input is read as seven values in loading order, each a flags byte (bit 0: present; the
// rest: the type), a little-endian 16-bit size (taken modulo 1001) and as many bytes as the size
// says, or as are left; then seven more that load as the base, and seven as this copy's record.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/hiscore_table.h"
#include "settings/stored_values.h"

namespace {

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "stored_values_fuzz: %s\n", what);
        std::abort();
    }
}

// Reads one value from the input; returns the bytes used.
size_t ReadValue(const uint8_t* data, size_t left, StoredValue* value) {
    value->present = false;
    value->type = 0;
    value->size = 0;
    if (left < 3) {
        return left;
    }
    value->present = (data[0] & 1) != 0;
    value->type = data[0] >> 1;
    size_t size = (data[1] | data[2] << 8) % 1001;
    size = size < left - 3 ? size : left - 3;
    value->size = static_cast<uint32_t>(size);
    std::memcpy(value->bytes, data + 3, size < sizeof value->bytes ? size : sizeof value->bytes);
    return 3 + size;
}

void CheckUsable(const Settings& record) {
    Check(record.BrkWidth >= 6 && record.BrkWidth <= 50, "brick width out of range");
    Check(record.BrkHeight >= 6 && record.BrkHeight <= 50, "brick height out of range");
    Check(record.BrksPerLine >= 7 && record.BrksPerLine <= 30, "bricks per line out of range");
    Check(record.BrksPerColumn >= 7 && record.BrksPerColumn <= 40,
          "bricks per column out of range");
    Check(record.FiguresSetSize == 6 || record.FiguresSetSize == 11, "no such figure set");
    for (const HiScoreEntry& entry : record.HiScores) {
        Check(std::memchr(entry.name, '\0', HiScoreNameSize) != nullptr,
              "a name runs past its field");
    }
}

int CountEqual(const Settings& record, const HiScoreEntry& entry) {
    return static_cast<int>(std::count_if(
        record.HiScores, record.HiScores + HiScoreCount, [&](const HiScoreEntry& other) {
            return other.score == entry.score && std::strcmp(other.name, entry.name) == 0;
        }));
}

// This copy's entries, and those the other copy added to the store, are all kept, as many times
// as they are there, unless they no longer rank: only the lowest score gives way.
void CheckKeptEntries(const Settings& stored, const Settings& base, const Settings& record,
                      const Settings& merged) {
    int32_t lowest = HiScoreBound;
    for (const HiScoreEntry& entry : merged.HiScores) {
        lowest = std::min(lowest, entry.score);
    }
    for (const Settings* holder : {&stored, &record}) {
        for (const HiScoreEntry& entry : holder->HiScores) {
            const int other = CountEqual(stored, entry) - CountEqual(base, entry);
            Check(entry.score <= lowest || entry.score >= HiScoreBound ||
                      CountEqual(merged, entry) >= std::max(CountEqual(record, entry), other),
                  "an entry that ranks is lost");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static StoredValue values[3][StoredValueCount];
    for (auto& record : values) {
        for (StoredValue& value : record) {
            const size_t used = ReadValue(data, size, &value);
            data += used;
            size -= used;
        }
    }
    // Fields that loading must set start as garbage; the derived ones stay as they were.
    Settings record;
    std::memset(&record, 0xA5, sizeof record);
    DecodeSettings(values[0], &record);
    CheckUsable(record);

    static StoredValue saved[StoredValueCount];
    EncodeSettings(record, saved);
    for (int i = 0; i < StoredValueCount; ++i) {
        const bool table = i == HiScoresIndex;
        Check(saved[i].present && saved[i].size == (table ? 728u : 4u) &&
                  saved[i].type == (table ? StoredTableType : StoredNumberType),
              "a value is saved with the wrong size or type");
    }
    Settings reloaded;
    std::memset(&reloaded, 0xA5, sizeof reloaded);
    DecodeSettings(saved, &reloaded);
    Check(std::memcmp(&record, &reloaded, sizeof record) == 0,
          "what is saved does not load back unchanged");

    Settings base{}, mine{}, merged{};
    DecodeSettings(values[1], &base);
    DecodeSettings(values[2], &mine);
    MergeSettings(values[0], base, mine, &merged);
    CheckUsable(merged);
    CheckKeptEntries(record, base, mine, merged);
    return 0;
}
