#include "settings/store.h"

#include <windows.h>

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

// The store's keys opened to read; a key that cannot be opened, for whatever reason, is null.
struct ReadKeys {
    HKEY user;
    HKEY machine;
};

HKEY OpenToRead(HKEY hive) {
    HKEY key;
    return RegOpenKeyExA(hive, StoreKey, 0, KEY_READ | View, &key) == ERROR_SUCCESS ? key : nullptr;
}

ReadKeys OpenKeysToRead() {
    return {OpenToRead(HKEY_CURRENT_USER), OpenToRead(HKEY_LOCAL_MACHINE)};
}

void CloseKeys(const ReadKeys& keys) {
    for (HKEY key : {keys.user, keys.machine}) {
        if (key != nullptr && RegCloseKey(key) != ERROR_SUCCESS) {
            RuntimeAssert("Droppa", __LINE__);
        }
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

// A save cut short, or a machine-wide key that refused only some writes, leaves the current
// user's key without some values; the machine-wide key still holds them, so each value is taken
// from wherever it is, the current user's first.
void QueryStoredValue(const ReadKeys& keys, const char* name, StoredValue* value) {
    value->present = false;
    value->size = 0;
    for (HKEY key : {keys.user, keys.machine}) {
        if (key != nullptr && QueryValue(key, name, value)) {
            return;
        }
    }
}

// The current user's key exists only where the machine-wide one was refused, so saving goes
// there. A key that is there but cannot be read is not taken for it.
bool UserKeyExists() {
    HKEY key;
    const LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, StoreKey, 0, KEY_READ | View, &key);
    if (result == ERROR_SUCCESS && RegCloseKey(key) != ERROR_SUCCESS) {
        RuntimeAssert("Droppa", __LINE__);
    }
    return result == ERROR_SUCCESS;
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
// settings at every save, it keeps them under the current user. Every other failure is fatal.
void WriteStoreValue(const char* name, const StoredValue& value) {
    LONG result;
    if (UserKeyExists()) {
        result = SetValueIn(HKEY_CURRENT_USER, value, name);
    } else {
        result = SetValueIn(HKEY_LOCAL_MACHINE, value, name);
        if (result == ERROR_ACCESS_DENIED) {
            result = SetValueIn(HKEY_CURRENT_USER, value, name);
        }
    }
    if (result != ERROR_SUCCESS) {
        RuntimeAssert("Droppa", __LINE__);
    }
}

// Deletes a key of the 32-bit view; a failure is ignored: a key that is not there needs no
// removal, and there is nobody to tell about one that stays.
void DeleteKey(HKEY hive, const char* path) {
    RegDeleteKeyExA(hive, path, View, 0);
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
    WriteStoreValue(name, value);
}

Settings* LoadSettings(Settings* record) {
    StoredValue values[StoredValueCount];
    const ReadKeys keys = OpenKeysToRead();
    for (int i = 0; i < StoredValueCount; ++i) {
        QueryStoredValue(keys, StoredValueRules[i].name, &values[i]);
    }
    CloseKeys(keys);
    DecodeSettings(values, record);
    return record;
}

void SaveSettings(const Settings* record) {
    StoredValue values[StoredValueCount];
    EncodeSettings(*record, values);
    for (StoredValueIndex i : StoredValueSaveOrder) {
        WriteStoreValue(StoredValueRules[i].name, values[i]);
    }
}

void Uninstall() {
    // Under the current user only the program's own key exists, made when the machine-wide one
    // was refused; the earlier maker only ever wrote machine-wide.
    DeleteKey(HKEY_LOCAL_MACHINE, StoreKey);
    DeleteKey(HKEY_CURRENT_USER, StoreKey);
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
