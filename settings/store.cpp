#include "settings/store.h"

#include <windows.h>

#include <cstring>

#include "game/host.h"

namespace {

constexpr char StoreKey[] = "Software\\Brindlewick Software\\Dropstakk";

// Keys of the program's earlier maker, deleted by the uninstall switch only, deepest first.
constexpr char OldConfigKey[] = "Software\\Orlan_Vetchinsky\\Dropstakk\\Config";
constexpr char OldProgramKey[] = "Software\\Orlan_Vetchinsky\\Dropstakk";
constexpr char OldMakerKey[] = "Software\\Orlan_Vetchinsky";

// Every build uses the 32-bit view, where 32-bit builds have always kept the settings.
constexpr REGSAM View = KEY_WOW64_32KEY;

// A stored number: value name, default, and the range a stored number must lie in to be taken;
// the rest of the program relies on these ranges, so anything outside loads as the default.
struct StoredNumber {
    const char* name;
    int32_t defaultValue;
    int32_t lowest;
    int32_t highest;
};

constexpr StoredNumber BrkWidthValue = {"BrkWidth", 15, 6, 50};
constexpr StoredNumber BrkHeightValue = {"BrkHeight", 15, 6, 50};
constexpr StoredNumber BrksPerLineValue = {"BrksPerLine", 10, 7, 30};
constexpr StoredNumber BrksPerColumnValue = {"BrksPerColumn", 20, 7, 40};
// Any colour word is valid.
constexpr StoredNumber GlassBackgrColorValue = {"GlassBackgrColor", 0x800040, INT32_MIN, INT32_MAX};
// Only the two figure sets exist: a number loads as the extended set (11) only when it is 11,
// and anything else as the classic set (6).
constexpr StoredNumber FiguresSetSizeValue = {"FiguresSetSize", 6, 11, 11};

constexpr char HiScoresValue[] = "HiScores";

int32_t ReadRangedValue(const StoredNumber& value) {
    const int32_t number = ReadDwordValue(value.name, value.defaultValue);
    return number >= value.lowest && number <= value.highest ? number : value.defaultValue;
}

// The current user's key exists only where the machine-wide one was refused, so it wins.
LONG OpenStoreKeyToRead(HKEY* key) {
    const LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, StoreKey, 0, KEY_READ | View, key);
    if (result != ERROR_FILE_NOT_FOUND) {
        return result;
    }
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, StoreKey, 0, KEY_READ | View, key);
}

bool UserKeyExists() {
    HKEY key;
    const LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, StoreKey, 0, KEY_READ | View, &key);
    if (result == ERROR_SUCCESS && RegCloseKey(key) != ERROR_SUCCESS) {
        RuntimeAssert("Droppa", __LINE__);
    }
    return result != ERROR_FILE_NOT_FOUND;
}

// Creates the store's key in one hive if needed and sets one value; returns the first failure.
LONG SetValueIn(HKEY hive, const char* name, DWORD type, const void* bytes, DWORD size) {
    HKEY key;
    const LONG created = RegCreateKeyExA(hive, StoreKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_ALL_ACCESS | View, nullptr, &key, nullptr);
    if (created != ERROR_SUCCESS) {
        return created;
    }
    const LONG set = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size);
    const LONG closed = RegCloseKey(key);
    return set != ERROR_SUCCESS ? set : closed;
}

// A program that is not elevated may not write under HKEY_LOCAL_MACHINE; rather than lose the
// settings at every quit, it keeps them under the current user. Every other failure is fatal.
void WriteStoreValue(const char* name, DWORD type, const void* bytes, DWORD size) {
    LONG result;
    if (UserKeyExists()) {
        result = SetValueIn(HKEY_CURRENT_USER, name, type, bytes, size);
    } else {
        result = SetValueIn(HKEY_LOCAL_MACHINE, name, type, bytes, size);
        if (result == ERROR_ACCESS_DENIED) {
            result = SetValueIn(HKEY_CURRENT_USER, name, type, bytes, size);
        }
    }
    if (result != ERROR_SUCCESS) {
        RuntimeAssert("Droppa", __LINE__);
    }
}

void LoadHiScores(Settings* record) {
    // The table is cleared first so that the bytes after each name's NUL, which are saved too,
    // hold zeros rather than whatever the record held.
    std::memset(record->HiScores, 0, sizeof record->HiScores);
    SetDefaultHiScores(record);

    HKEY key;
    if (OpenStoreKeyToRead(&key) != ERROR_SUCCESS) {
        return;
    }
    // Queried aside: a value too long for the buffer leaves it undefined.
    HiScoreEntry stored[HiScoreCount];
    DWORD size = sizeof stored;
    const LONG queried = RegQueryValueExA(key, HiScoresValue, nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(stored), &size);
    if (RegCloseKey(key) != ERROR_SUCCESS) {
        RuntimeAssert("Droppa", __LINE__);
    }
    if (queried != ERROR_SUCCESS) {
        return;
    }
    // A short table keeps the entries it covers whole; a partly covered entry stays default.
    std::memcpy(record->HiScores, stored, size / sizeof(HiScoreEntry) * sizeof(HiScoreEntry));
}

// Removes the program's keys from one hive. Failures are ignored: a key that is not there needs
// no removal, and there is nobody to tell about one that stays.
void UninstallFrom(HKEY hive) {
    RegDeleteKeyExA(hive, StoreKey, View, 0);
    RegDeleteKeyExA(hive, OldConfigKey, View, 0);
    RegDeleteKeyExA(hive, OldProgramKey, View, 0);
    // The earlier maker's key may hold other programs' keys; it goes only when it is empty.
    HKEY oldMaker;
    if (RegOpenKeyExA(hive, OldMakerKey, 0, KEY_ENUMERATE_SUB_KEYS | View, &oldMaker) !=
        ERROR_SUCCESS) {
        return;
    }
    char subKey[256];
    const bool holdsAKey = RegEnumKeyA(oldMaker, 0, subKey, sizeof subKey) == ERROR_SUCCESS;
    RegCloseKey(oldMaker);
    if (!holdsAKey) {
        RegDeleteKeyExA(hive, OldMakerKey, View, 0);
    }
}

} // namespace

int32_t ReadDwordValue(const char* name, int32_t defaultValue) {
    HKEY key;
    if (OpenStoreKeyToRead(&key) != ERROR_SUCCESS) {
        return defaultValue;
    }
    BYTE bytes[4];
    DWORD size = sizeof bytes;
    // The type is not looked at: any value of exactly four bytes is a number.
    const LONG queried = RegQueryValueExA(key, name, nullptr, nullptr, bytes, &size);
    if (RegCloseKey(key) != ERROR_SUCCESS) {
        RuntimeAssert("Droppa", __LINE__);
    }
    // Fewer bytes would leave the rest of the number undefined.
    if (queried != ERROR_SUCCESS || size != sizeof bytes) {
        return defaultValue;
    }
    const uint32_t number = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
    return static_cast<int32_t>(number);
}

void WriteDwordValue(const char* name, int32_t value) {
    const uint32_t number = static_cast<uint32_t>(value);
    const BYTE bytes[4] = {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
                           static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)};
    WriteStoreValue(name, REG_DWORD, bytes, sizeof bytes);
}

void SetDefaultHiScores(Settings* record) {
    for (HiScoreEntry& entry : record->HiScores) {
        std::memcpy(entry.name, "None", 5);
        entry.score = 0;
    }
}

Settings* LoadSettings(Settings* record) {
    record->BrkWidth = ReadRangedValue(BrkWidthValue);
    record->BrkHeight = ReadRangedValue(BrkHeightValue);
    record->BrksPerLine = ReadRangedValue(BrksPerLineValue);
    record->BrksPerColumn = ReadRangedValue(BrksPerColumnValue);
    record->GlassBackgrColor = static_cast<uint32_t>(ReadRangedValue(GlassBackgrColorValue));
    record->FiguresSetSize = ReadRangedValue(FiguresSetSizeValue);
    LoadHiScores(record);
    // A stored name need not end within its field; every name the program uses must.
    for (HiScoreEntry& entry : record->HiScores) {
        entry.name[HiScoreNameSize - 1] = '\0';
    }
    return record;
}

void SaveSettings(const Settings* record) {
    WriteDwordValue(BrkWidthValue.name, record->BrkWidth);
    WriteDwordValue(BrkHeightValue.name, record->BrkHeight);
    WriteDwordValue(BrksPerLineValue.name, record->BrksPerLine);
    WriteDwordValue(BrksPerColumnValue.name, record->BrksPerColumn);
    WriteDwordValue(FiguresSetSizeValue.name, record->FiguresSetSize);
    WriteDwordValue(GlassBackgrColorValue.name, static_cast<int32_t>(record->GlassBackgrColor));
    WriteStoreValue(HiScoresValue, REG_BINARY, record->HiScores, sizeof record->HiScores);
}

void Uninstall() {
    UninstallFrom(HKEY_LOCAL_MACHINE);
    UninstallFrom(HKEY_CURRENT_USER);
}
