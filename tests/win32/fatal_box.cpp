#include "fatal_box.h"

namespace {

BOOL CALLBACK CollectText(HWND child, LPARAM lParam) {
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    reinterpret_cast<std::vector<std::string>*>(lParam)->emplace_back(text);
    return TRUE;
}

} // namespace

FatalReport RunFatalChild(const char* childSwitch) {
    FatalReport report{false, nullptr, {}, 0};
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self + "\" " + childSwitch;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child)) {
        return report;
    }
    // Wait for the box to show, or for the child to end without one: a box that does not show
    // yet may still lack its text.
    HWND box = nullptr;
    for (int i = 0; i < 600; ++i) {
        box = FindWindowA(nullptr, "Bug in Dropstakk!");
        if ((box != nullptr && IsWindowVisible(box)) ||
            WaitForSingleObject(child.hProcess, 50) == WAIT_OBJECT_0) {
            break;
        }
    }
    if (box != nullptr) {
        report.boxShown = true;
        report.boxOwner = GetWindow(box, GW_OWNER);
        EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&report.texts));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(child.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(child.hProcess, 0x7fffffff);
    }
    GetExitCodeProcess(child.hProcess, &report.exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return report;
}

bool ShowsText(const FatalReport& report, const std::string& start) {
    for (const std::string& text : report.texts) {
        if (text.compare(0, start.size(), start) == 0) {
            return true;
        }
    }
    return false;
}
