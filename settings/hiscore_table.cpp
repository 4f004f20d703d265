#include "settings/hiscore_table.h"

#include <cstring>
#include <utility>

bool InsertHiScore(HiScoreEntry (&table)[HiScoreCount], const char* name, int32_t newScore) {
    int lowest = -1;
    int32_t lowestScore = HiScoreBound;
    for (int i = 0; i < HiScoreCount; ++i) {
        if (table[i].score < lowestScore) {
            lowest = i;
            lowestScore = table[i].score;
        }
    }
    // A table whose every entry is at the bound or above has no entry that any score could take.
    if (lowest == -1 || newScore < lowestScore) {
        return false;
    }
    std::strncpy(table[lowest].name, name, HiScoreNameSize - 1);
    table[lowest].name[HiScoreNameSize - 1] = '\0';
    table[lowest].score = newScore;

    // Neighbours swap only when strictly out of order, so equal scores keep their places.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < HiScoreCount; ++i) {
            if (table[i].score < table[i + 1].score) {
                std::swap(table[i], table[i + 1]);
                swapped = true;
            }
        }
    }
    return true;
}
