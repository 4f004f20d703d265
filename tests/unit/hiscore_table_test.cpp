#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "settings/hiscore_table.h"
#include "settings/stored_values.h"

namespace {

class HiScoreTable : public ::testing::Test {
  protected:
    void SetUp() override {
        for (HiScoreEntry& entry : table) {
            std::memset(entry.name, 'z', sizeof entry.name);
            std::strcpy(entry.name, "None");
            entry.score = 0;
        }
    }
    void Fill(const std::vector<std::pair<const char*, int32_t>>& entries) {
        for (size_t i = 0; i < entries.size(); ++i) {
            std::strcpy(table[i].name, entries[i].first);
            table[i].score = entries[i].second;
        }
    }
    // "name score" of every entry, best first.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const HiScoreEntry& entry : table) {
            lines.push_back(std::string(entry.name) + " " + std::to_string(entry.score));
        }
        return lines;
    }
    HiScoreEntry table[HiScoreCount];
};

TEST_F(HiScoreTable, OnTheDefaultTableTheFirstGamesTakeTheTopNonesInTurn) {
    EXPECT_TRUE(InsertHiScore(table, "Ann", 0));
    EXPECT_EQ(Lines()[0], "Ann 0") << "equal scores do not move";

    SetUp();
    EXPECT_TRUE(InsertHiScore(table, "Ann", 500));
    EXPECT_EQ(Lines()[0], "Ann 500");
    EXPECT_TRUE(InsertHiScore(table, "Bob", 300));
    EXPECT_EQ(Lines()[0], "Ann 500");
    EXPECT_EQ(Lines()[1], "Bob 300");
    EXPECT_EQ(Lines()[2], "None 0");
    EXPECT_EQ(Lines()[12], "None 0");
}

TEST_F(HiScoreTable, AnEqualScoreEndsBelowEveryOlderEntryWithThatScore) {
    Fill({{"A", 900},
          {"B", 700},
          {"C", 700},
          {"D", 500},
          {"E", 400},
          {"F", 300},
          {"G", 300},
          {"H", 200},
          {"I", 150},
          {"J", 120},
          {"K", 110},
          {"L", 105},
          {"M", 100}});
    EXPECT_TRUE(InsertHiScore(table, "New", 700));
    EXPECT_EQ(Lines()[1], "B 700");
    EXPECT_EQ(Lines()[2], "C 700");
    EXPECT_EQ(Lines()[3], "New 700");
    EXPECT_EQ(Lines()[4], "D 500");
    EXPECT_EQ(Lines()[12], "L 105") << "the lowest entry is gone";
}

TEST_F(HiScoreTable, ANewScoreEqualToTwoLowestEntriesTakesTheFirstOfThem) {
    Fill({{"A", 900},
          {"B", 800},
          {"C", 700},
          {"D", 600},
          {"E", 500},
          {"F", 400},
          {"G", 300},
          {"H", 250},
          {"I", 200},
          {"J", 150},
          {"K", 120},
          {"X", 100},
          {"Y", 100}});
    EXPECT_TRUE(InsertHiScore(table, "New", 100));
    EXPECT_EQ(Lines()[11], "New 100");
    EXPECT_EQ(Lines()[12], "Y 100");
}

TEST_F(HiScoreTable, AScoreBelowAFullTableChangesNothing) {
    Fill({{"A", 900},
          {"B", 800},
          {"C", 700},
          {"D", 600},
          {"E", 500},
          {"F", 400},
          {"G", 300},
          {"H", 250},
          {"I", 200},
          {"J", 150},
          {"K", 120},
          {"L", 110},
          {"M", 100}});
    const std::vector<std::string> before = Lines();
    EXPECT_FALSE(InsertHiScore(table, "New", 99));
    EXPECT_EQ(Lines(), before);
}

TEST_F(HiScoreTable, ATableWithNothingBelowTheBoundTakesNoScore) {
    for (HiScoreEntry& entry : table) {
        entry.score = HiScoreBound;
    }
    const std::vector<std::string> before = Lines();
    EXPECT_FALSE(InsertHiScore(table, "Big", HiScoreBound));
    EXPECT_FALSE(InsertHiScore(table, "Bigger", HiScoreBound + 1));
    EXPECT_FALSE(InsertHiScore(table, "Small", 5));
    EXPECT_EQ(Lines(), before);
}

TEST_F(HiScoreTable, AStoredTableOutOfOrderIsSortedByTheNextEntry) {
    Fill({{"Low", 10}, {"High", 90}, {"Mid", 50}});
    EXPECT_TRUE(InsertHiScore(table, "New", 20));
    EXPECT_EQ(Lines()[0], "High 90");
    EXPECT_EQ(Lines()[1], "Mid 50");
    EXPECT_EQ(Lines()[2], "New 20");
    EXPECT_EQ(Lines()[3], "Low 10");
}

TEST_F(HiScoreTable, ANameNeverRunsPastItsField) {
    const std::string longName(80, 'n');
    EXPECT_TRUE(InsertHiScore(table, longName.c_str(), 10));
    EXPECT_EQ(std::string(table[0].name), std::string(HiScoreNameSize - 1, 'n'));
}

TEST_F(HiScoreTable, ASaveKeepsWhatAnotherCopyStoredAndAddsThisCopysChanges) {
    const struct {
        // The stored, base, this copy's and merged tables' entries above "None 0", and their
        // brick widths, where a stored 0 means that nothing is stored.
        std::string tables[4];
        int32_t widths[4];
        const char* what;
    } cases[] = {
        {{"Ann 5", "Ann 5", "Ann 5", "Ann 5"}, {99, 20, 20, 20}, "nothing but a stored 99"},
        {{"Bob 7 Ann 5", "Ann 5", "Ann 5", "Bob 7 Ann 5"}, {30, 20, 20, 30}, "the other's"},
        {{"Bob 7", "", "Cid 6", "Bob 7 Cid 6"}, {30, 15, 20, 20}, "both, changed on both"},
        {{"Bob 5", "", "Cid 5", "Bob 5 Cid 5"}, {15, 15, 15, 15}, "a tie, below the stored"},
        {{"Ann 5", "", "Ann 5", "Ann 5 Ann 5"}, {15, 15, 15, 15}, "an equal entry in each"},
        {{"", "Ann 5", "Ann 5 Cid 3", "Ann 5 Cid 3"}, {0, 20, 20, 20}, "the store lost it all"},
    };
    for (const auto& c : cases) {
        Settings records[4] = {};
        for (int i = 0; i < 4; ++i) {
            SetDefaultHiScores(&records[i]);
            std::istringstream entries(c.tables[i]);
            std::string name;
            for (HiScoreEntry& entry : records[i].HiScores) {
                if (entries >> name >> entry.score) {
                    std::strcpy(entry.name, name.c_str());
                }
            }
            records[i].BrkWidth = c.widths[i];
        }
        StoredValue stored[StoredValueCount];
        EncodeSettings(records[0], stored);
        for (StoredValue& value : stored) {
            value.present = c.widths[0] != 0;
        }
        Settings merged;
        MergeSettings(stored, records[1], records[2], &merged);
        std::memcpy(table, records[3].HiScores, sizeof table);
        const std::vector<std::string> expected = Lines();
        std::memcpy(table, merged.HiScores, sizeof table);
        EXPECT_EQ(Lines(), expected) << c.what;
        EXPECT_EQ(merged.BrkWidth, c.widths[3]) << c.what;
    }
}

} // namespace
