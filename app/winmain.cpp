#include <windows.h>

#include <cstdlib>

#include "app/shell_state.h"
#include "app/startup.h"
#include "app/system_libraries.h"
#include "game/host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR commandLine, int showCommand) {
    RestrictLibrarySearch();
    // The program's records come from the C runtime's heap, as C++'s nothrow new would bring in the
    // whole of the C++ runtime's exception support.
    appInstance = static_cast<AppInstance*>(std::malloc(sizeof(AppInstance)));
    if (appInstance == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    *appInstance = {instance, prevInstance, commandLine, showCommand};
    return RunProgram();
}
