#include "pad_double.h"

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    static PadDouble* const shared = SharedPads();
    InterlockedIncrement(&shared->reads);
    if (slot >= XUSER_MAX_COUNT || (shared->connected & (1u << slot)) == 0) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    state->dwPacketNumber = static_cast<DWORD>(shared->reads);
    state->Gamepad = shared->pads[slot];
    return ERROR_SUCCESS;
}
