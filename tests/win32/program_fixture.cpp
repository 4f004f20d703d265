#include "program_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "app/apply_layout.h"
#include "app/shell_state.h"
#include "app/startup.h"
#include "app/system_libraries.h"
#include "foreground.h"
#include "game/figure.h"
#include "game/glass.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

AppInstance programInstance;

DialogAnswers* activeAnswers = nullptr;
HHOOK hook = nullptr;
DialogAnswers::Handler handler;

LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeAnswers != nullptr) {
        auto window = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770") {
            const std::string caption = TextOf(window);
            handler(window, caption, ++activeAnswers->seen[caption]);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK FindMessage(HWND child, LPARAM lParam) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    const std::string text = TextOf(child);
    if (std::string(className) == "Static" && !text.empty()) {
        *reinterpret_cast<std::string*>(lParam) = text;
    }
    return TRUE;
}

// Every test program that links this file gets the program's records and main window.
class ProgramEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        SetUpProgram();
    }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

} // namespace

void UseDefaultSettings() {
    RemoveStoredSettings();
    *settings = Settings{};
    LoadSettings(settings);
    LayoutWindow();
}

void RemoveStoredSettings() {
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        RegDeleteKeyExA(hive, "Software\\Brindlewick Software\\Dropstakk", KEY_WOW64_32KEY, 0);
    }
}

Settings StoredSettings() {
    Settings record = {};
    LoadSettings(&record);
    return record;
}

void SetUpProgram() {
    programInstance = {GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW};
    appInstance = &programInstance;
    // As a first start on this machine finds it.
    RemoveStoredSettings();
    RestrictLibrarySearch();
    StartUp();
    // In front, as a game started from the desktop is; the tests that cannot do without it check.
    TakeForeground(mainWindow);
}

DialogAnswers::DialogAnswers(Handler onActivate) {
    handler = std::move(onActivate);
    activeAnswers = this;
    hook = SetWindowsHookExA(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
}

DialogAnswers::~DialogAnswers() {
    UnhookWindowsHookEx(hook);
    activeAnswers = nullptr;
}

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string DialogText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

std::string MessageOf(HWND box) {
    std::string message;
    EnumChildWindows(box, FindMessage, reinterpret_cast<LPARAM>(&message));
    return message;
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void* ReplaceImport(const char* function, void* standIn) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name != 0; ++dll) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<void**>(base + dll->FirstThunk);
        for (int i = 0; names[i].u1.AddressOfData != 0; ++i) {
            const auto* name =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
            if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal) ||
                std::strcmp(name->Name, function) != 0) {
                continue;
            }
            DWORD protection;
            VirtualProtect(&slots[i], sizeof slots[i], PAGE_READWRITE, &protection);
            void* original = slots[i];
            slots[i] = standIn;
            VirtualProtect(&slots[i], sizeof slots[i], protection, &protection);
            return original;
        }
    }
    return nullptr;
}
