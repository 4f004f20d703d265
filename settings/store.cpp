#include "settings/store.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>

#include "game/host.h"

namespace {

constexpr char StoreKey[] = "Software\\Brindlewick Software\\Dropstakk";

// Keys of the program's earlier maker, deleted by the uninstall switch only, deepest first.
constexpr char OldConfigKey[] = "Software\\Orlan_Vetchinsky\\Dropstakk\\Config";
constexpr char OldProgramKey[] = "Software\\Orlan_Vetchinsky\\Dropstakk";
constexpr char OldMakerKey[] = "Software\\Orlan_Vetchinsky";

// Every build uses the 32-bit view, where 32-bit builds have always kept the settings.
constexpr REGSAM View = KEY_WOW64_32KEY;

static_assert(StoredNumberType == REG_DWORD && StoredTableType == REG_BINARY,
              "the stored types are the registry's");

// The earlier builds carried no manifest, so where Windows refused them the machine-wide key it
// kept their writes for that user in the VirtualStore, under the path of the 32-bit view; that is
// where such players' settings are. Windows does not redirect this key: it is opened as it is.
constexpr char VirtualStoreKey64[] = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\"
                                     "WOW6432Node\\Brindlewick Software\\Dropstakk";
constexpr char VirtualStoreKey32[] =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Brindlewick Software\\Dropstakk";
constexpr REGSAM NativeView = KEY_WOW64_64KEY;

// The record as this copy last read or wrote it: what a save tells this copy's changes by.
Settings base;

const char* VirtualStoreKey() {
    BOOL underWow64 = FALSE;
    const bool windows64 =
        sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &underWow64) && underWow64);
    return windows64 ? VirtualStoreKey64 : VirtualStoreKey32;
}

// The store's keys opened to read, in the order their values are taken; a key that cannot be
// opened, for whatever reason, is null.
struct ReadKeys {
    HKEY user;
    HKEY virtualStore;
    HKEY machine;
};

HKEY OpenToRead(HKEY hive, const char* path, REGSAM view) {
    HKEY key;
    return RegOpenKeyExA(hive, path, 0, KEY_READ | view, &key) == ERROR_SUCCESS ? key : nullptr;
}

ReadKeys OpenKeysToRead() {
    return {OpenToRead(HKEY_CURRENT_USER, StoreKey, View),
            OpenToRead(HKEY_CURRENT_USER, VirtualStoreKey(), NativeView),
            OpenToRead(HKEY_LOCAL_MACHINE, StoreKey, View)};
}

void CloseKey(HKEY key) {
    if (key != nullptr && RegCloseKey(key) != ERROR_SUCCESS) {
        RuntimeAssert("Droppa", __LINE__);
    }
}

// Whether the key holds the value; if so, its type, whole size and leading bytes.
bool QueryValue(HKEY key, const char* name, StoredValue* value) {
    DWORD type = REG_NONE;
    DWORD size = sizeof value->bytes;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, value->bytes, &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) {
        return false;
    }
    value->present = true;
    value->type = type;
    // A value too long for the buffer counts as too long, whatever size is reported with it.
    value->size =
        result == ERROR_MORE_DATA && size <= sizeof value->bytes ? sizeof value->bytes + 1 : size;
    return true;
}

void CloseKeys(const ReadKeys& keys) {
    for (HKEY key : {keys.user, keys.virtualStore, keys.machine}) {
        CloseKey(key);
    }
}

// A save cut short, or a machine-wide key that refused only some writes, leaves the current
// user's key without some values; the keys read after it still hold them, so each value is taken
// from the first key that holds it.
void QueryStoredValue(const ReadKeys& keys, const char* name, StoredValue* value) {
    value->present = false;
    value->size = 0;
    for (HKEY key : {keys.user, keys.virtualStore, keys.machine}) {
        if (key != nullptr && QueryValue(key, name, value)) {
            return;
        }
    }
}

void ReadStoredValues(StoredValue (&values)[StoredValueCount]) {
    const ReadKeys keys = OpenKeysToRead();
    for (int i = 0; i < StoredValueCount; ++i) {
        QueryStoredValue(keys, StoredValueRules[i].name, &values[i]);
    }
    CloseKeys(keys);
}

// What this copy writes now: its changes since its base, merged into what the store holds, whose
// values are left in values.
void MergeWithStore(const Settings& record, StoredValue (&values)[StoredValueCount],
                    Settings* merged) {
    ReadStoredValues(values);
    MergeSettings(values, base, record, merged);
}

// The current user's key exists only where the machine-wide one was refused, and a VirtualStore
// copy only where the earlier builds' were: either way saving goes to the current user's key,
// which loading reads first. A key that is there but cannot be read is not taken for either.
bool SavesToUser() {
    const auto canBeRead = [](const char* path, REGSAM view) {
        HKEY key = OpenToRead(HKEY_CURRENT_USER, path, view);
        CloseKey(key);
        return key != nullptr;
    };
    return canBeRead(StoreKey, View) || canBeRead(VirtualStoreKey(), NativeView);
}

// Creates the store's key in one hive if needed and sets one value; returns the first failure.
LONG SetValueIn(HKEY hive, const StoredValue& value, const char* name) {
    HKEY key;
    const LONG created = RegCreateKeyExA(hive, StoreKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_ALL_ACCESS | View, nullptr, &key, nullptr);
    if (created != ERROR_SUCCESS) {
        return created;
    }
    const LONG set = RegSetValueExA(key, name, 0, value.type, value.bytes, value.size);
    const LONG closed = RegCloseKey(key);
    return set != ERROR_SUCCESS ? set : closed;
}

// A program that is not elevated may not write under HKEY_LOCAL_MACHINE; rather than lose the
// settings at every save, it keeps them under the current user. Returns whether the value was
// written.
bool WriteStoreValue(const char* name, const StoredValue& value) {
    if (SavesToUser()) {
        return SetValueIn(HKEY_CURRENT_USER, value, name) == ERROR_SUCCESS;
    }
    const LONG result = SetValueIn(HKEY_LOCAL_MACHINE, value, name);
    return result == ERROR_SUCCESS || (result == ERROR_ACCESS_DENIED &&
                                       SetValueIn(HKEY_CURRENT_USER, value, name) == ERROR_SUCCESS);
}

// Deletes a key; a failure is ignored: a key that is not there needs no removal, and there is
// nobody to tell about one that stays.
void DeleteKey(HKEY hive, const char* path, REGSAM view = View) {
    RegDeleteKeyExA(hive, path, view, 0);
}

} // namespace

int32_t ReadDwordValue(const char* name, int32_t defaultValue) {
    const ReadKeys keys = OpenKeysToRead();
    StoredValue value;
    QueryStoredValue(keys, name, &value);
    CloseKeys(keys);
    return DecodeNumber(value, defaultValue);
}

void WriteDwordValue(const char* name, int32_t number) {
    StoredValue value;
    EncodeNumber(number, &value);
    if (!WriteStoreValue(name, value)) {
        RuntimeAssert("Droppa", __LINE__);
    }
}

Settings* LoadSettings(Settings* record) {
    StoredValue values[StoredValueCount];
    ReadStoredValues(values);
    DecodeSettings(values, record);
    base = *record;
    return record;
}

bool TrySaveSettings(Settings* record) {
    StoredValue values[StoredValueCount];
    Settings merged;
    MergeWithStore(*record, values, &merged);
    EncodeSettings(merged, values);
    for (StoredValueIndex i : StoredValueSaveOrder) {
        if (!WriteStoreValue(StoredValueRules[i].name, values[i])) {
            return false;
        }
    }
    // Another copy's choices of sizes, colour and figure set are kept in the store, while this
    // copy goes on with the window it has laid out; the table is shared.
    std::memcpy(record->HiScores, merged.HiScores, sizeof merged.HiScores);
    base = *record;
    return true;
}

void SaveSettings(Settings* record) {
    if (!TrySaveSettings(record)) {
        RuntimeAssert("Droppa", __LINE__);
    }
}

void TakeStoredHiScores(Settings* record) {
    StoredValue values[StoredValueCount];
    Settings merged;
    MergeWithStore(*record, values, &merged);
    std::memcpy(record->HiScores, merged.HiScores, sizeof merged.HiScores);
    std::memcpy(base.HiScores, merged.HiScores, sizeof merged.HiScores);
}

void Uninstall() {
    // Under the current user only the program's own key exists, made when the machine-wide one
    // was refused, and the VirtualStore copies of the earlier builds; the earlier maker only ever
    // wrote machine-wide.
    DeleteKey(HKEY_LOCAL_MACHINE, StoreKey);
    DeleteKey(HKEY_CURRENT_USER, StoreKey);
    DeleteKey(HKEY_CURRENT_USER, VirtualStoreKey64, NativeView);
    DeleteKey(HKEY_CURRENT_USER, VirtualStoreKey32, NativeView);
    DeleteKey(HKEY_LOCAL_MACHINE, OldConfigKey);
    DeleteKey(HKEY_LOCAL_MACHINE, OldProgramKey);
    // The earlier maker's key may hold other programs' keys; it goes only when it is empty.
    HKEY oldMaker;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, OldMakerKey, 0, KEY_ENUMERATE_SUB_KEYS | View,
                      &oldMaker) != ERROR_SUCCESS) {
        return;
    }
    char subKey[256];
    const bool holdsAKey = RegEnumKeyA(oldMaker, 0, subKey, sizeof subKey) == ERROR_SUCCESS;
    RegCloseKey(oldMaker);
    if (!holdsAKey) {
        DeleteKey(HKEY_LOCAL_MACHINE, OldMakerKey);
    }
}
