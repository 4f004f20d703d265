#include "app/system_libraries.h"

#include <windows.h>

#include <cstring>

#include "game/host.h"

namespace {

// Whether Windows restricts the search itself: Windows 7 without its 2011 loader update lacks
// SetDefaultDllDirectories and the search flags of LoadLibraryEx.
bool searchRestricted = false;

HMODULE LoadFromSystemFolder(const char* library) {
    if (searchRestricted) {
        return LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    // A full path is loaded from there and nowhere else, and with the altered search order the
    // libraries it imports are looked for beside it, not in the program's folder.
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(library) >= MAX_PATH) {
        return nullptr;
    }
    path[length] = '\\';
    std::strcpy(path + length + 1, library);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

void RestrictLibrarySearch() {
    using SetDirectoriesCall = BOOL(WINAPI*)(DWORD);
    // kernel32 is always loaded: asking it for a function loads nothing.
    const auto setDirectories =
        reinterpret_cast<SetDirectoriesCall>(reinterpret_cast<SystemProcedure>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    searchRestricted =
        setDirectories != nullptr && setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

SystemProcedure SystemFunction(const char* library, const char* function) {
    const SystemProcedure procedure = OptionalSystemFunction(library, function);
    if (procedure == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    return procedure;
}

SystemProcedure OptionalSystemFunction(const char* library, const char* function) {
    HMODULE module = LoadFromSystemFolder(library);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<SystemProcedure>(GetProcAddress(module, function));
}
