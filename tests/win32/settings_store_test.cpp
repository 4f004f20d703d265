#include <windows.h>

#include <dbt.h>
#include <sddl.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "foreground.h"
#include "pad_double.h"
#include "resources/resource_ids.h"
#include "settings/store.h"

namespace {

constexpr char StoreKey[] = "Software\\Brindlewick Software\\Dropstakk";
constexpr char MakerKey[] = "Software\\Brindlewick Software";
constexpr char OldConfigKey[] = "Software\\Orlan_Vetchinsky\\Dropstakk\\Config";
constexpr char OldProgramKey[] = "Software\\Orlan_Vetchinsky\\Dropstakk";
constexpr char OldSiblingKey[] = "Software\\Orlan_Vetchinsky\\Lines";
constexpr char OldMakerKey[] = "Software\\Orlan_Vetchinsky";
constexpr REGSAM View = KEY_WOW64_32KEY;
// Where Windows kept the earlier builds' machine-wide writes, on 64-bit and on 32-bit Windows.
constexpr const char* VirtualStoreKeys[] = {
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Brindlewick "
    "Software\\Dropstakk",
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Brindlewick Software\\Dropstakk"};
const HKEY Hives[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

// Deepest first, so that each key is empty of sub-keys when its turn comes.
constexpr const char* TestKeys[] = {StoreKey, OldConfigKey, OldProgramKey, OldSiblingKey,
                                    OldMakerKey};

void CreateKey(HKEY hive, const char* path) {
    HKEY key;
    ASSERT_EQ(
        RegCreateKeyExA(hive, path, 0, nullptr, 0, KEY_ALL_ACCESS | View, nullptr, &key, nullptr),
        ERROR_SUCCESS)
        << path;
    RegCloseKey(key);
}

void Store(HKEY hive, const char* name, DWORD type, const void* bytes, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(hive, StoreKey, 0, nullptr, 0, KEY_ALL_ACCESS | View, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void StoreNumber(HKEY hive, const char* name, uint32_t number) {
    Store(hive, name, REG_DWORD, &number, sizeof number);
}

void StoreTable(HKEY hive, const void* bytes, DWORD size) {
    Store(hive, "HiScores", REG_BINARY, bytes, size);
}

bool KeyExists(HKEY hive, const char* path, REGSAM view = View) {
    HKEY key;
    const LONG result = RegOpenKeyExA(hive, path, 0, KEY_READ | view, &key);
    if (result == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    return result == ERROR_SUCCESS;
}

struct StoredValue {
    LONG result = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    uint32_t Number() const {
        uint32_t number = 0;
        std::memcpy(&number, bytes.data(), std::min<size_t>(bytes.size(), sizeof number));
        return number;
    }
};

StoredValue Query(HKEY hive, const char* name) {
    StoredValue value;
    HKEY key;
    value.result = RegOpenKeyExA(hive, StoreKey, 0, KEY_READ | View, &key);
    if (value.result != ERROR_SUCCESS) {
        return value;
    }
    value.bytes.resize(4096);
    DWORD size = static_cast<DWORD>(value.bytes.size());
    value.result = RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size);
    value.bytes.resize(value.result == ERROR_SUCCESS ? size : 0);
    RegCloseKey(key);
    return value;
}

// Gives the key the access rules of a security descriptor string.
void SetKeySecurity(HKEY hive, const char* path, const char* rules) {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(hive, path, 0, WRITE_DAC | View, &key), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR security = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(rules, SDDL_REVISION_1,
                                                                     &security, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security), ERROR_SUCCESS);
    LocalFree(security);
    RegCloseKey(key);
}

// The machine-wide key as Windows shows it to a program that is not elevated: readable, but
// neither values nor sub-keys may be written. Deleting it stays allowed, for the clean-up.
void RefuseWriting(HKEY hive, const char* path) {
    SetKeySecurity(hive, path, "D:(D;;0x6;;;WD)(A;;KA;;;WD)");
    HKEY writable;
    ASSERT_EQ(RegOpenKeyExA(hive, path, 0, KEY_ALL_ACCESS | View, &writable), ERROR_ACCESS_DENIED)
        << "the platform does not refuse writing to a key whose security forbids it";
}

// A table of distinct entries, each name padded with a byte pattern after its NUL, so that a
// byte-for-byte copy can be told from an entry-by-entry one.
void FillTable(HiScoreEntry (&table)[HiScoreCount]) {
    for (int i = 0; i < HiScoreCount; ++i) {
        std::memset(table[i].name, 'a' + i, HiScoreNameSize - 1);
        table[i].name[HiScoreNameSize - 1] = '\0';
        std::memcpy(table[i].name, "Player", 6);
        table[i].name[6] = static_cast<char>('A' + i);
        table[i].name[7] = '\0';
        table[i].score = 100000 - 1000 * i - (i == 12 ? 200000 : 0);
    }
}

bool IsDefaultEntry(const HiScoreEntry& entry) {
    return std::strcmp(entry.name, "None") == 0 && entry.score == 0;
}

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveTestKeys();
    }
    void TearDown() override {
        RemoveTestKeys();
    }
    static void RemoveTestKeys() {
        for (HKEY hive : Hives) {
            for (const char* path : TestKeys) {
                RegDeleteKeyExA(hive, path, View, 0);
            }
        }
        for (const char* path : VirtualStoreKeys) {
            RegDeleteKeyExA(HKEY_CURRENT_USER, path, KEY_WOW64_64KEY, 0);
        }
    }
    // Loads into a record whose every byte is garbage, so that each field must be set.
    static Settings Loaded() {
        Settings record;
        std::memset(&record, 0xCC, sizeof record);
        LoadSettings(&record);
        return record;
    }
};

class LoadingSettings : public StoreTest {};

TEST_F(LoadingSettings, WithNoKeyEveryFieldTakesItsDefaultAndNothingIsWritten) {
    const Settings record = Loaded();

    EXPECT_EQ(record.BrkWidth, 15);
    EXPECT_EQ(record.BrkHeight, 15);
    EXPECT_EQ(record.BrksPerLine, 10);
    EXPECT_EQ(record.BrksPerColumn, 20);
    EXPECT_EQ(record.GlassBackgrColor, 0x800040u);
    EXPECT_EQ(record.FiguresSetSize, 6);
    for (const HiScoreEntry& entry : record.HiScores) {
        EXPECT_TRUE(IsDefaultEntry(entry));
    }
    for (HKEY hive : Hives) {
        EXPECT_FALSE(KeyExists(hive, StoreKey));
    }
}

TEST_F(LoadingSettings, AFourByteValueOfAnyTypeIsANumberStoredLittleEndian) {
    const BYTE width[4] = {32, 0, 0, 0};
    Store(HKEY_LOCAL_MACHINE, "BrkWidth", REG_BINARY, width, sizeof width);
    const BYTE colour[4] = {0x11, 0x22, 0x33, 0x00};
    Store(HKEY_LOCAL_MACHINE, "GlassBackgrColor", REG_BINARY, colour, sizeof colour);

    const Settings record = Loaded();

    EXPECT_EQ(record.BrkWidth, 32);
    EXPECT_EQ(record.GlassBackgrColor, 0x332211u);
}

TEST_F(LoadingSettings, ANumberOfMoreOrFewerThanFourBytesCountsAsAbsent) {
    const BYTE eight[8] = {32, 0, 0, 0, 0, 0, 0, 0};
    Store(HKEY_LOCAL_MACHINE, "BrkWidth", REG_BINARY, eight, sizeof eight);
    const BYTE two[2] = {32, 0};
    Store(HKEY_LOCAL_MACHINE, "BrkHeight", REG_BINARY, two, sizeof two);
    Store(HKEY_LOCAL_MACHINE, "BrksPerLine", REG_DWORD, two, sizeof two);

    const Settings record = Loaded();

    EXPECT_EQ(record.BrkWidth, 15);
    EXPECT_EQ(record.BrkHeight, 15);
    EXPECT_EQ(record.BrksPerLine, 10);
}

TEST_F(LoadingSettings, SizesOutsideTheirRangesLoadAsTheirDefaults) {
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 5);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkHeight", 51);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerLine", 31);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerColumn", static_cast<uint32_t>(-20));
    StoreNumber(HKEY_LOCAL_MACHINE, "GlassBackgrColor", 0xFFFFFFFF);
    Settings record = Loaded();
    EXPECT_EQ(record.BrkWidth, 15);
    EXPECT_EQ(record.BrkHeight, 15);
    EXPECT_EQ(record.BrksPerLine, 10);
    EXPECT_EQ(record.BrksPerColumn, 20);
    EXPECT_EQ(record.GlassBackgrColor, 0xFFFFFFFFu) << "every colour word is valid";

    // The limits themselves are in range.
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 6);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkHeight", 50);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerLine", 30);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerColumn", 7);
    record = Loaded();
    EXPECT_EQ(record.BrkWidth, 6);
    EXPECT_EQ(record.BrkHeight, 50);
    EXPECT_EQ(record.BrksPerLine, 30);
    EXPECT_EQ(record.BrksPerColumn, 7);

    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 50);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkHeight", 6);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerLine", 7);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerColumn", 40);
    record = Loaded();
    EXPECT_EQ(record.BrkWidth, 50);
    EXPECT_EQ(record.BrkHeight, 6);
    EXPECT_EQ(record.BrksPerLine, 7);
    EXPECT_EQ(record.BrksPerColumn, 40);
}

TEST_F(LoadingSettings, OnlyAStoredElevenSelectsTheExtendedFigureSet) {
    const struct {
        uint32_t stored;
        int32_t loaded;
    } cases[] = {{11, 11}, {6, 6}, {7, 6}, {0, 6}, {12, 6}};
    for (const auto& c : cases) {
        StoreNumber(HKEY_LOCAL_MACHINE, "FiguresSetSize", c.stored);
        EXPECT_EQ(Loaded().FiguresSetSize, c.loaded) << "stored " << c.stored;
    }
}

TEST_F(LoadingSettings, ATableOfExactly728BytesIsTakenByteForByte) {
    HiScoreEntry table[HiScoreCount];
    FillTable(table);
    StoreTable(HKEY_LOCAL_MACHINE, table, sizeof table);

    const Settings record = Loaded();

    EXPECT_EQ(std::memcmp(record.HiScores, table, sizeof table), 0);
}

TEST_F(LoadingSettings, ATableTooLongGivesTheDefaultTableWhileTheNumbersStillLoad) {
    std::vector<BYTE> bytes(729, 'x');
    StoreTable(HKEY_LOCAL_MACHINE, bytes.data(), static_cast<DWORD>(bytes.size()));
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 30);
    StoreNumber(HKEY_LOCAL_MACHINE, "FiguresSetSize", 11);

    const Settings record = Loaded();

    for (const HiScoreEntry& entry : record.HiScores) {
        EXPECT_TRUE(IsDefaultEntry(entry));
    }
    EXPECT_EQ(record.BrkWidth, 30);
    EXPECT_EQ(record.FiguresSetSize, 11);
}

TEST_F(LoadingSettings, AShortTableKeepsTheEntriesItCoversWholeAndDefaultsTheRest) {
    HiScoreEntry table[HiScoreCount];
    FillTable(table);
    const struct {
        DWORD size;
        int kept;
    } cases[] = {{0, 0}, {55, 0}, {56, 1}, {100, 1}, {168, 3}, {727, 12}};
    for (const auto& c : cases) {
        StoreTable(HKEY_LOCAL_MACHINE, table, c.size);
        const Settings record = Loaded();
        for (int i = 0; i < HiScoreCount; ++i) {
            if (i < c.kept) {
                EXPECT_STREQ(record.HiScores[i].name, table[i].name) << c.size << " bytes";
                EXPECT_EQ(record.HiScores[i].score, table[i].score) << c.size << " bytes";
            } else {
                EXPECT_TRUE(IsDefaultEntry(record.HiScores[i]))
                    << c.size << " bytes, entry " << i << " is \"" << record.HiScores[i].name
                    << "\"";
            }
        }
    }
}

TEST_F(LoadingSettings, ANameWithoutItsNulEndsAtItsLastByte) {
    std::vector<BYTE> bytes(728, 'A');
    StoreTable(HKEY_LOCAL_MACHINE, bytes.data(), static_cast<DWORD>(bytes.size()));
    Settings record = Loaded();
    for (const HiScoreEntry& entry : record.HiScores) {
        EXPECT_EQ(std::string(entry.name), std::string(HiScoreNameSize - 1, 'A'));
    }

    // In a short table too.
    StoreTable(HKEY_LOCAL_MACHINE, bytes.data(), 100);
    record = Loaded();
    EXPECT_EQ(std::string(record.HiScores[0].name), std::string(HiScoreNameSize - 1, 'A'));
    EXPECT_TRUE(IsDefaultEntry(record.HiScores[1]));
}

class SavingSettings : public StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        record = Loaded();
        record.BrkWidth = 21;
        record.BrkHeight = 22;
        record.BrksPerLine = 23;
        record.BrksPerColumn = 34;
        record.GlassBackgrColor = 0x00C0FFEE;
        record.FiguresSetSize = 11;
        FillTable(record.HiScores);
    }
    // Every value in the given hive holds the record, with its type and size.
    void ExpectRecordIn(HKEY hive) {
        const struct {
            const char* name;
            uint32_t number;
        } numbers[] = {{"BrkWidth", 21},
                       {"BrkHeight", 22},
                       {"BrksPerLine", 23},
                       {"BrksPerColumn", 34},
                       {"GlassBackgrColor", 0x00C0FFEE},
                       {"FiguresSetSize", 11}};
        for (const auto& number : numbers) {
            const StoredValue value = Query(hive, number.name);
            ASSERT_EQ(value.result, ERROR_SUCCESS) << number.name;
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << number.name;
            EXPECT_EQ(value.bytes.size(), 4u) << number.name;
            EXPECT_EQ(value.Number(), number.number) << number.name;
        }
        const StoredValue table = Query(hive, "HiScores");
        ASSERT_EQ(table.result, ERROR_SUCCESS);
        EXPECT_EQ(table.type, static_cast<DWORD>(REG_BINARY));
        ASSERT_EQ(table.bytes.size(), 728u);
        EXPECT_EQ(std::memcmp(table.bytes.data(), record.HiScores, 728), 0);
    }
    Settings record;
};

TEST_F(SavingSettings, WritesAllSevenValuesWithTheirTypesAndSizesReplacingWhatWasThere) {
    const char text[] = "a width of text";
    Store(HKEY_LOCAL_MACHINE, "BrkWidth", REG_SZ, text, sizeof text);
    const BYTE eight[8] = {};
    Store(HKEY_LOCAL_MACHINE, "FiguresSetSize", REG_BINARY, eight, sizeof eight);

    SaveSettings(&record);

    ExpectRecordIn(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, StoreKey));
}

TEST_F(SavingSettings, TheMachineWideKeyIsTheOneA32BitBuildSees) {
    BOOL underWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &underWow64);
    if (sizeof(void*) == 4 && !underWow64) {
        GTEST_SKIP() << "a 32-bit system has only one view of the registry";
    }

    SaveSettings(&record);

    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, StoreKey, KEY_WOW64_32KEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, StoreKey, KEY_WOW64_64KEY));
}

TEST_F(SavingSettings, ARefusedMachineWideKeyMovesTheSettingsToTheCurrentUser) {
    // Settings saved once by an elevated run, now refused to this one.
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 40);
    RefuseWriting(HKEY_LOCAL_MACHINE, StoreKey);
    EXPECT_EQ(Loaded().BrkWidth, 40);

    SaveSettings(&record);

    ExpectRecordIn(HKEY_CURRENT_USER);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "BrkWidth").Number(), 40u);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "HiScores").result, ERROR_FILE_NOT_FOUND);
    const Settings next = Loaded();
    EXPECT_EQ(next.BrkWidth, 21) << "the next start loads what was saved";
    EXPECT_EQ(std::memcmp(next.HiScores, record.HiScores, sizeof record.HiScores), 0);
}

TEST_F(SavingSettings, OnceTheCurrentUsersKeyExistsItsValuesWinAndItIsTheOneSaved) {
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 40);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerLine", 12);
    HiScoreEntry table[HiScoreCount];
    FillTable(table);
    StoreTable(HKEY_LOCAL_MACHINE, table, sizeof table);
    // A save cut short after its first value.
    StoreNumber(HKEY_CURRENT_USER, "BrkWidth", 30);

    const Settings loaded = Loaded();
    EXPECT_EQ(loaded.BrkWidth, 30);
    EXPECT_EQ(loaded.BrksPerLine, 12) << "a value the user's key lacks comes from the machine";
    EXPECT_EQ(std::memcmp(loaded.HiScores, table, sizeof table), 0) << "the table is not lost";

    SaveSettings(&record);

    ExpectRecordIn(HKEY_CURRENT_USER);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "BrkWidth").Number(), 40u);
    EXPECT_EQ(std::memcmp(Query(HKEY_LOCAL_MACHINE, "HiScores").bytes.data(), table, 728), 0);
}

TEST_F(SavingSettings, AUsersKeyThatCannotBeReadIsPassedOverByLoadingAndSaving) {
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 40);
    StoreNumber(HKEY_CURRENT_USER, "BrkWidth", 30);
    SetKeySecurity(HKEY_CURRENT_USER, StoreKey, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
    ASSERT_EQ(Query(HKEY_CURRENT_USER, "BrkWidth").result, ERROR_ACCESS_DENIED);

    EXPECT_EQ(Loaded().BrkWidth, 40);
    SaveSettings(&record);

    ExpectRecordIn(HKEY_LOCAL_MACHINE);
}

TEST_F(SavingSettings, AnEarlierBuildsVirtualStoreCopyLoadsBeforeTheMachinesAndIsSavedToTheUser) {
    StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 40);
    StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerLine", 12);
    // Little-endian 30 where a 64-bit Windows kept it, under WOW6432Node; 35 where a 32-bit one.
    RegSetKeyValueA(HKEY_CURRENT_USER, VirtualStoreKeys[0], "BrkWidth", REG_DWORD, "\x1e\0\0", 4);
    RegSetKeyValueA(HKEY_CURRENT_USER, VirtualStoreKeys[1], "BrkWidth", REG_DWORD, "\x23\0\0", 4);
    const Settings loaded = Loaded();
    EXPECT_EQ(loaded.BrkWidth, 30);
    EXPECT_EQ(loaded.BrksPerLine, 12) << "a value the copy lacks comes from the machine";

    SaveSettings(&record);
    ExpectRecordIn(HKEY_CURRENT_USER); // which the next start reads first
    Uninstall();
    for (const char* path : VirtualStoreKeys) {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, path, KEY_WOW64_64KEY)) << path;
    }
}

// The child process that saves while the current user's key refuses writing.
constexpr char RefusedSaveSwitch[] = "--save-into-refused-user-key";

TEST_F(SavingSettings, AWriteRefusedInTheCurrentUsersKeyIsFatalAndGoesNowhereElse) {
    StoreNumber(HKEY_CURRENT_USER, "BrkWidth", 30);
    RefuseWriting(HKEY_CURRENT_USER, StoreKey);

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self + "\" " + RefusedSaveSwitch;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));
    // The child answers its own error box (see main), so it ends by itself.
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    EXPECT_EQ(exitCode, static_cast<DWORD>(-1));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, StoreKey));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "BrkWidth").Number(), 30u);
}

class Uninstalling : public StoreTest {};

TEST_F(Uninstalling, WithNoneOfTheKeysPresentCreatesNothing) {
    Uninstall();

    for (HKEY hive : Hives) {
        for (const char* path : TestKeys) {
            EXPECT_FALSE(KeyExists(hive, path)) << path;
        }
    }
}

TEST_F(Uninstalling, RemovesTheProgramsKeysFromBothHivesButKeepsTheMakersKey) {
    for (HKEY hive : Hives) {
        StoreNumber(hive, "BrkWidth", 20);
        CreateKey(hive, OldConfigKey);
    }

    Uninstall();

    for (HKEY hive : Hives) {
        EXPECT_FALSE(KeyExists(hive, StoreKey));
        EXPECT_TRUE(KeyExists(hive, MakerKey));
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, OldProgramKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, OldMakerKey))
        << "left empty, the old maker's key goes";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, OldConfigKey)) << "the program never wrote it";
}

TEST_F(Uninstalling, KeepsTheOldMakersKeyWhileAnotherProgramsKeyIsUnderIt) {
    CreateKey(HKEY_LOCAL_MACHINE, OldConfigKey);
    CreateKey(HKEY_LOCAL_MACHINE, OldSiblingKey);

    Uninstall();

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, OldProgramKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, OldSiblingKey));
}

// ---- the real program, started on stored settings

// The game's executable, named by the environment variable STAKKO_PROGRAM.
std::string programPath;

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct WindowSearch {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && TextOf(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The game, started on what is stored with a given show command; killed when the object goes.
class RunningGame {
  public:
    explicit RunningGame(WORD showCommand) {
        std::string commandLine = "\"" + programPath + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = showCommand;
        EXPECT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process));
    }
    ~RunningGame() {
        Kill();
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    // A visible window of the game with this title, looked for every 50 ms until the game ends
    // or the polls run out; null then.
    HWND WaitForWindow(const char* title, int polls = 600) {
        for (int i = 0; i < polls; ++i) {
            WindowSearch search = {process.dwProcessId, title, nullptr};
            EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                return search.found;
            }
            if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
                break;
            }
        }
        return nullptr;
    }
    // Closes the main window and answers Yes to the question; returns the exit code.
    DWORD Quit(HWND mainWindow) {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        HWND question = WaitForWindow("Exit Stakko game");
        EXPECT_NE(question, nullptr) << "closing the window asks whether to quit";
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        return ExitCode();
    }
    void Kill() {
        TerminateProcess(process.hProcess, 9);
        ExitCode();
    }
    DWORD ExitCode() {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &code);
        }
        return code;
    }

    PROCESS_INFORMATION process = {};
};

class RunningTheGame : public StoreTest {
  protected:
    void SetUp() override {
        if (programPath.empty()) {
            GTEST_SKIP() << "no game to start: STAKKO_PROGRAM is not set";
        }
        StoreTest::SetUp();
    }
    // A glass of seven rows fills after a few drops; wide enough to show the score.
    static void StoreSmallGlass() {
        StoreNumber(HKEY_LOCAL_MACHINE, "BrkWidth", 20);
        StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerLine", 7);
        StoreNumber(HKEY_LOCAL_MACHINE, "BrksPerColumn", 7);
    }
};

TEST_F(RunningTheGame, OnRandomStoredContentsStartsUsableAndSavesWhatLoadsBackUnchanged) {
    const DWORD types[] = {REG_NONE,     REG_SZ,    REG_EXPAND_SZ,
                           REG_BINARY,   REG_DWORD, REG_DWORD_BIG_ENDIAN,
                           REG_MULTI_SZ, REG_QWORD};
    std::mt19937 random(9);
    int shrunk = 0;
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        RemoveTestKeys();
        // Each value in each hive absent, or of any type, size and bytes; four-byte numbers
        // near their ranges and whole tables are likelier, so that runs differ in more than
        // their defaults.
        for (HKEY hive : Hives) {
            for (const StoredValueRule& rule : StoredValueRules) {
                if (random() % 3 == 0) {
                    continue;
                }
                const bool table = &rule == &StoredValueRules[HiScoresIndex];
                std::vector<BYTE> bytes(random() % 2 ? (table ? 728 : 4) : random() % 1001);
                for (BYTE& byte : bytes) {
                    byte = static_cast<BYTE>(random() % 2 ? 'A' + random() % 4 : random());
                }
                if (bytes.size() == 4 && random() % 2) {
                    const uint32_t number = random() % 60;
                    std::memcpy(bytes.data(), &number, 4);
                }
                Store(hive, rule.name, types[random() % 8], bytes.data(),
                      static_cast<DWORD>(bytes.size()));
            }
        }
        const Settings stored = Loaded();
        // Every other run starts minimised, and the window still shows normally.
        RunningGame game(run % 2 == 0 ? SW_SHOWNORMAL : SW_SHOWMINIMIZED);
        HWND window = game.WaitForWindow("Windows Stakko");
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(IsIconic(window));
        // The window lies in the work area, its client area the glass and its band. Bricks too
        // large for it are drawn smaller, whole rows of them, and the player's sizes are saved
        // as they were.
        RECT client = {};
        RECT frame = {};
        RECT work = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetClientRect(window, &client);
        GetWindowRect(window, &frame);
        EXPECT_EQ(game.Quit(window), 0u);
        const Settings saved = Loaded();
        EXPECT_TRUE(IntersectRect(&work, &work, &frame) && EqualRect(&work, &frame));
        const int glassHeight = client.bottom - 65;
        EXPECT_EQ(glassHeight % saved.BrksPerColumn, 0);
        EXPECT_LE(glassHeight, saved.BrksPerColumn * saved.BrkHeight);
        shrunk += glassHeight < saved.BrksPerColumn * saved.BrkHeight;
        EXPECT_EQ(std::memcmp(&saved, &stored, sizeof saved), 0);
    }
    EXPECT_GE(shrunk, 1) << "no run stored bricks too large for the screen";
}

// Reads the score from the game's score panel, among the main window's children.
BOOL CALLBACK FindScore(HWND child, LPARAM lParam) {
    const std::string text = TextOf(child);
    if (text.rfind("Score:", 0) == 0) {
        *reinterpret_cast<int*>(lParam) = std::atoi(text.c_str() + 7);
        return FALSE;
    }
    return TRUE;
}

int ScoreOf(HWND mainWindow) {
    int score = -1;
    EnumChildWindows(mainWindow, FindScore, reinterpret_cast<LPARAM>(&score));
    return score;
}

// Drops figures until the game is over and asks for a name; returns the name dialog, and the
// final score shown on the panel.
HWND PlayToTheEnd(RunningGame& game, HWND mainWindow, int* finalScore) {
    HWND nameDialog = nullptr;
    for (int drop = 0; drop < 100 && nameDialog == nullptr; ++drop) {
        const ::testing::AssertionResult front = TakeForeground(mainWindow); // inactive, it pauses
        if (!front) {
            // On a slow machine the dialog may come after the last wait gave up, and in front.
            nameDialog = game.WaitForWindow("Enter Your name", 1);
            if (nameDialog == nullptr) {
                ADD_FAILURE() << front.message();
            }
            break;
        }
        PostMessageA(mainWindow, WM_KEYDOWN, VK_SPACE, 0);
        nameDialog = game.WaitForWindow("Enter Your name", 4);
    }
    *finalScore = ScoreOf(mainWindow);
    return nameDialog;
}

// Enters the name; returns the table that shows next.
HWND EnterName(RunningGame& game, HWND nameDialog, const char* name) {
    SetDlgItemTextA(nameDialog, IDC_NAME, name);
    PostMessageA(nameDialog, WM_COMMAND, IDOK, 0);
    return game.WaitForWindow("Hi-Scores");
}

TEST_F(RunningTheGame, AKilledGameLeavesLoadableSettingsHoldingAnyScoreEntered) {
    // The last: the name is entered while the store refuses writing, and the game goes on.
    enum Kill { WhilePlaying, InTheNameDialog, AfterTheName, AfterARefusedSave };
    for (Kill when : {WhilePlaying, InTheNameDialog, AfterTheName, AfterARefusedSave}) {
        SCOPED_TRACE("kill " + std::to_string(when));
        RemoveTestKeys();
        StoreSmallGlass();
        HiScoreEntry table[HiScoreCount];
        FillTable(table);
        StoreTable(HKEY_LOCAL_MACHINE, table, sizeof table);
        if (when == AfterARefusedSave) {
            CreateKey(HKEY_CURRENT_USER, StoreKey);
            RefuseWriting(HKEY_CURRENT_USER, StoreKey);
        }
        const Settings before = Loaded();

        RunningGame game(SW_SHOWNORMAL);
        HWND window = game.WaitForWindow("Windows Stakko");
        ASSERT_NE(window, nullptr);
        int finalScore = -1;
        if (when != WhilePlaying) {
            HWND nameDialog = PlayToTheEnd(game, window, &finalScore);
            ASSERT_NE(nameDialog, nullptr) << "the game ends";
            ASSERT_GT(finalScore, 0);
            if (when >= AfterTheName) {
                ASSERT_NE(EnterName(game, nameDialog, "Killed"), nullptr);
            }
            if (when == AfterARefusedSave) {
                EXPECT_EQ(game.WaitForWindow("Bug in Dropstakk!", 20), nullptr);
                EXPECT_EQ(WaitForSingleObject(game.process.hProcess, 0), WAIT_TIMEOUT);
            }
        }
        game.Kill();

        const Settings after = Loaded();
        if (when == AfterTheName) {
            // The lowest entry, the last, gave way to the new score, which stays last.
            EXPECT_STREQ(after.HiScores[12].name, "Killed");
            EXPECT_EQ(after.HiScores[12].score, finalScore);
            EXPECT_EQ(std::memcmp(after.HiScores, before.HiScores, 12 * sizeof(HiScoreEntry)), 0);
        } else {
            EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
        }
    }
}

// Whether the condition holds within five seconds.
bool Soon(const std::function<bool()>& condition) {
    for (int poll = 0; poll < 100; ++poll) {
        if (condition()) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

// Whether the glass's bottom-left pixel, where no figure comes for a while, shows the colour on
// screen within five seconds: another process's window cannot be read, the screen can.
bool GlassCornerShows(HWND window, COLORREF color) {
    RECT client;
    GetClientRect(window, &client);
    POINT corner = {2, client.bottom - 2};
    ClientToScreen(window, &corner);
    HDC screen = GetDC(nullptr);
    const bool shown = Soon([&] { return GetPixel(screen, corner.x, corner.y) == color; });
    ReleaseDC(nullptr, screen);
    return shown;
}

// Windows sends these to the game registered for them; Wine never does, so they are posted here.
// The key that shows the player back after a sleep shows the glass again and does nothing else.
TEST_F(RunningTheGame, ALockedOrSleepingComputerBlanksTheGlassUntilThePlayerIsBack) {
    RunningGame game(SW_SHOWNORMAL);
    HWND window = game.WaitForWindow("Windows Stakko");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(TakeForeground(window)); // an inactive game pauses
    const COLORREF black = 0;
    const COLORREF glass = 0x800040;
    const struct {
        UINT message;
        WPARAM change;
        COLORREF corner;
    } steps[] = {{WM_NULL, 0, glass},
                 {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, black},
                 {WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, glass},
                 {WM_POWERBROADCAST, PBT_APMSUSPEND, black},
                 {WM_KEYDOWN, 'P', glass}}; // it does not pause
    for (const auto& step : steps) {
        PostMessageA(window, step.message, step.change, 0);
        EXPECT_TRUE(GlassCornerShows(window, step.corner)) << step.message << " " << step.change;
    }
    HWND pauseButton =
        FindWindowExA(window, FindWindowExA(window, nullptr, "Button", nullptr), "Button", nullptr);

    // Asleep again, Space shows the player back and P pauses: posted while the game's thread
    // stands, so that no step of the fall comes between. The figure was not dropped.
    PostMessageA(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    ASSERT_TRUE(GlassCornerShows(window, black));
    const int asleep = ScoreOf(window);
    SuspendThread(game.process.hThread);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(window, WM_KEYDOWN, 'P', 0);
    ResumeThread(game.process.hThread);
    EXPECT_TRUE(Soon([&] { return TextOf(pauseButton) == "Unpause"; }));
    EXPECT_EQ(ScoreOf(window), asleep);
    EXPECT_EQ(game.Quit(window), 0u);
}

TEST_F(RunningTheGame, TwoCopiesAtOnceKeepBothPlayersEntriesWhicheverQuitsLast) {
    for (bool annQuitsLast : {false, true}) {
        SCOPED_TRACE(annQuitsLast ? "Ann quits last" : "Ann quits before Bob plays");
        RemoveTestKeys();
        StoreSmallGlass();
        RunningGame bobs(SW_SHOWNORMAL);
        HWND bobsWindow = bobs.WaitForWindow("Windows Stakko");
        RunningGame anns(SW_SHOWNORMAL);
        HWND annsWindow = anns.WaitForWindow("Windows Stakko");
        ASSERT_TRUE(bobsWindow != nullptr && annsWindow != nullptr);
        int annsScore = 0;
        HWND table = EnterName(anns, PlayToTheEnd(anns, annsWindow, &annsScore), "Ann");
        PostMessageA(table, WM_COMMAND, IDOK, 0);
        // Ann's next game waits paused, however long a busy machine takes to bring Bob's in front.
        for (int wait = 0; wait < 1000 && IsWindow(table); ++wait) {
            Sleep(10);
        }
        PostMessageA(annsWindow, WM_KEYDOWN, 'P', 0);
        if (!annQuitsLast) {
            EXPECT_EQ(anns.Quit(annsWindow), 0u);
        }
        PostMessageA(bobsWindow, WM_COMMAND, IDM_HISCORES, 0);
        table = bobs.WaitForWindow("Hi-Scores");
        EXPECT_EQ(SendDlgItemMessageA(table, IDC_HISCORE_NAMES, LB_FINDSTRING, 0,
                                      reinterpret_cast<LPARAM>("Ann")),
                  0)
            << "Bob's copy shows the table as stored, Ann's entry first";
        PostMessageA(table, WM_COMMAND, IDOK, 0);
        int bobsScore = 0;
        table = EnterName(bobs, PlayToTheEnd(bobs, bobsWindow, &bobsScore), "Bob");
        PostMessageA(table, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(bobs.Quit(bobsWindow), 0u);
        if (annQuitsLast) {
            EXPECT_EQ(anns.Quit(annsWindow), 0u);
        }
        const Settings after = Loaded(); // both above the "None" entries, best first
        const int bobFirst = bobsScore > annsScore;
        EXPECT_STREQ(after.HiScores[bobFirst].name, "Ann");
        EXPECT_EQ(after.HiScores[bobFirst].score, annsScore);
        EXPECT_STREQ(after.HiScores[1 - bobFirst].name, "Bob");
        EXPECT_EQ(after.HiScores[1 - bobFirst].score, bobsScore);
    }
}

// The tests share the Wine prefix with the game: the player's own settings are put back after.
// ---- the game with a pad alone

// The columns and rows of the glass that hold bricks, read from the screen: the falling figure
// alone in an empty glass of 10 columns.
RECT Bricks(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const int brick = client.right / 10;
    RECT bricks = {99, 99, -1, -1};
    HDC screen = GetDC(nullptr);
    for (int row = 0; row < (client.bottom - 65) / brick; ++row) {
        for (int column = 0; column < 10; ++column) {
            POINT centre = {column * brick + brick / 2, 65 + row * brick + brick / 2};
            ClientToScreen(window, &centre);
            if (GetPixel(screen, centre.x, centre.y) != 0x800040) {
                bricks = {std::min<LONG>(bricks.left, column), std::min<LONG>(bricks.top, row),
                          std::max<LONG>(bricks.right, column), std::max<LONG>(bricks.bottom, row)};
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return bricks;
}

class PlayingWithAPad : public RunningTheGame {
  protected:
    void SetUp() override {
        RunningTheGame::SetUp();
        // The stand-in goes where the game looks for XInput; the suite's Wine takes it.
        char here[MAX_PATH];
        char system[MAX_PATH];
        GetModuleFileNameA(nullptr, here, MAX_PATH);
        std::strcpy(std::strrchr(here, '\\') + 1, "xinput1_4.dll");
        GetSystemDirectoryA(system, MAX_PATH);
        ASSERT_TRUE(CopyFileA(here, (std::string(system) + "\\xinput1_4.dll").c_str(), FALSE));
        pads = SharedPads();
        ASSERT_NE(pads, nullptr);
        *pads = {0, 0, {}};
    }
    void TearDown() override {
        if (pads != nullptr) {
            pads->connected = 0;
        }
    }
    // Buttons held for a moment, shorter than the keyboard's delay, then let go.
    void Tap(WORD buttons) {
        pads->pads[0].wButtons = buttons;
        Sleep(100);
        pads->pads[0].wButtons = 0;
        Sleep(50);
    }
    PadDouble* pads = nullptr;
};

TEST_F(PlayingWithAPad, APlayerWithAPadAlonePlaysPausesEntersTheTableAndQuits) {
    RunningGame game(SW_SHOWNORMAL);
    HWND window = game.WaitForWindow("Windows Stakko");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(TakeForeground(window));
    HWND pauseButton =
        FindWindowExA(window, FindWindowExA(window, nullptr, "Button", nullptr), "Button", nullptr);

    // The start looks at each slot once, and without a pad nothing reads them again; a pad
    // plugged in is found.
    ASSERT_TRUE(Soon([&] { return pads->reads == XUSER_MAX_COUNT; }));
    Sleep(200);
    EXPECT_EQ(pads->reads, XUSER_MAX_COUNT);
    pads->connected = 1;
    PostMessageA(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);

    // Left moves the figure a column, A turns it, X drops it to the bottom.
    const RECT figure = Bricks(window);
    Tap(XINPUT_GAMEPAD_DPAD_LEFT);
    EXPECT_TRUE(Soon([&] { return Bricks(window).left == figure.left - 1; }));
    Tap(XINPUT_GAMEPAD_A);
    EXPECT_TRUE(Soon([&] {
        const RECT turned = Bricks(window);
        return turned.right - turned.left == figure.bottom - figure.top &&
               turned.bottom - turned.top == figure.right - figure.left;
    }));
    Tap(XINPUT_GAMEPAD_X);
    EXPECT_TRUE(Soon([&] { return Bricks(window).bottom == 19; }));

    // Start pauses, and goes on.
    for (const char* label : {"Unpause", "Pause"}) {
        Tap(XINPUT_GAMEPAD_START);
        EXPECT_TRUE(Soon([&] { return TextOf(pauseButton) == label; })) << label;
    }

    // Nothing is read while another program is in front.
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(TakeForeground(other));
    Sleep(100);
    const LONG reads = pads->reads;
    Sleep(300);
    EXPECT_EQ(pads->reads, reads);
    DestroyWindow(other);
    ASSERT_TRUE(TakeForeground(window));
    EXPECT_TRUE(Soon([&] { return pads->reads > reads; }));

    // Drops to the end of the game; A takes the name dialog's empty name, and the table's OK.
    HWND nameDialog = nullptr;
    for (int drop = 0; drop < 60 && nameDialog == nullptr; ++drop) {
        Tap(XINPUT_GAMEPAD_X);
        nameDialog = game.WaitForWindow("Enter Your name", 10);
    }
    ASSERT_NE(nameDialog, nullptr);
    const int finalScore = ScoreOf(window);
    Tap(XINPUT_GAMEPAD_A);
    ASSERT_NE(game.WaitForWindow("Hi-Scores"), nullptr);
    Tap(XINPUT_GAMEPAD_A);
    EXPECT_TRUE(Soon([&] { return game.WaitForWindow("Hi-Scores", 1) == nullptr; }));
    EXPECT_STREQ(Loaded().HiScores[0].name, "Player without name");
    EXPECT_EQ(Loaded().HiScores[0].score, finalScore);

    // View opens the menu, Down its Game menu, Up its last item, Exit, and A chooses it: B says No
    // to the question, and the second time A says Yes.
    for (WORD answer : {XINPUT_GAMEPAD_B, XINPUT_GAMEPAD_A}) {
        for (WORD button : {XINPUT_GAMEPAD_BACK, XINPUT_GAMEPAD_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_UP,
                            XINPUT_GAMEPAD_A}) {
            Tap(button);
        }
        HWND question = game.WaitForWindow("Exit Stakko game");
        ASSERT_NE(question, nullptr);
        Tap(answer);
        EXPECT_TRUE(Soon([&] { return game.WaitForWindow("Exit Stakko game", 1) == nullptr; }));
    }
    EXPECT_EQ(game.ExitCode(), 0u);
}

class KeepPlayersSettings : public ::testing::Environment {
  public:
    void SetUp() override {
        for (HKEY hive : Hives) {
            HKEY key;
            if (RegOpenKeyExA(hive, StoreKey, 0, KEY_READ | View, &key) != ERROR_SUCCESS) {
                continue;
            }
            hivesWithKey.push_back(hive);
            for (DWORD index = 0;; ++index) {
                Kept value{hive, std::string(256, '\0'), 0, std::vector<BYTE>(4096)};
                DWORD nameSize = static_cast<DWORD>(value.name.size());
                DWORD size = static_cast<DWORD>(value.bytes.size());
                if (RegEnumValueA(key, index, value.name.data(), &nameSize, nullptr, &value.type,
                                  value.bytes.data(), &size) != ERROR_SUCCESS) {
                    break;
                }
                value.name.resize(nameSize);
                value.bytes.resize(size);
                kept.push_back(value);
            }
            RegCloseKey(key);
        }
    }
    void TearDown() override {
        for (HKEY hive : hivesWithKey) {
            CreateKey(hive, StoreKey);
        }
        for (const Kept& value : kept) {
            Store(value.hive, value.name.c_str(), value.type, value.bytes.data(),
                  static_cast<DWORD>(value.bytes.size()));
        }
    }

  private:
    struct Kept {
        HKEY hive;
        std::string name;
        DWORD type;
        std::vector<BYTE> bytes;
    };
    std::vector<HKEY> hivesWithKey;
    std::vector<Kept> kept;
};

// A fatal error would otherwise wait for a click for ever: its box is answered at once, and the
// process ends with -1, which fails the run.
LRESULT CALLBACK AnswerErrorBox(int code, WPARAM wParam, LPARAM lParam) {
    char title[64] = {};
    if (code == HCBT_ACTIVATE &&
        GetWindowTextA(reinterpret_cast<HWND>(wParam), title, sizeof title) > 0 &&
        std::strcmp(title, "Bug in Dropstakk!") == 0) {
        std::fprintf(
            stderr, "settings_store_tests: answered a fatal error box; the process ends with -1\n");
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    SetWindowsHookExA(WH_CBT, AnswerErrorBox, nullptr, GetCurrentThreadId());
    if (argc > 1 && std::strcmp(argv[1], RefusedSaveSwitch) == 0) {
        Settings record;
        LoadSettings(&record);
        SaveSettings(&record);
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    // A path of the build machine names the same file through Wine's drive Z:.
    if (const char* program = std::getenv("STAKKO_PROGRAM")) {
        programPath = std::string(program[0] == '/' ? "Z:" : "") + program;
    }
    ::testing::AddGlobalTestEnvironment(new KeepPlayersSettings);
    return RUN_ALL_TESTS();
}
