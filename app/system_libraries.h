// Libraries of Windows that are not among its known DLLs, taken from the system folder only.
//
// Windows looks for such a library in the program's own folder first, and a download folder may
// hold a file of that name: the program therefore imports only known DLLs, which always come from
// the system folder, and loads the others itself.
#pragma once

// Restricts the search for every library loaded from now on to the system folder. Called first at
// start-up, before anything loads a library.
void RestrictLibrarySearch();

using SystemProcedure = void (*)();

// The named function of a library in the system folder; a library or function that cannot be had
// is fatal.
SystemProcedure SystemFunction(const char* library, const char* function);

// The same for a function the program can do without: null where this Windows lacks it.
SystemProcedure OptionalSystemFunction(const char* library, const char* function);

template <typename Function>
Function SystemFunctionOf(const char* library, const char* function) {
    return reinterpret_cast<Function>(SystemFunction(library, function));
}

template <typename Function>
Function OptionalSystemFunctionOf(const char* library, const char* function) {
    return reinterpret_cast<Function>(OptionalSystemFunction(library, function));
}
