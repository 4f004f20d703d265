#include "pad_double.h"

namespace {
PadDouble* shared = nullptr; // mapped at the first read
}

// Exported by pad_double.def: xinput.h declares it already, without the export.
extern "C" DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    if (shared == nullptr) {
        shared = SharedPads();
    }
    InterlockedIncrement(&shared->reads);
    if (slot >= XUSER_MAX_COUNT || (shared->connected & (1u << slot)) == 0) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    state->dwPacketNumber = static_cast<DWORD>(shared->reads);
    state->Gamepad = shared->pads[slot];
    return ERROR_SUCCESS;
}
