#include <windows.h>

#include <new>

#include "app/startup.h"
#include "game/host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR commandLine, int showCommand) {
    appInstance = new (std::nothrow) AppInstance{instance, prevInstance, commandLine, showCommand};
    if (appInstance == nullptr) {
        RuntimeAssert("Droppa", __LINE__);
    }
    return RunProgram();
}
