#include "program_fixture.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "app/main_window.h"
#include "app/startup.h"
#include "game/figure.h"
#include "game/glass.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

Settings programSettings;
Glass programGlass;
Figure programFigure;
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
    programSettings = Settings{};
    LoadSettings(&programSettings);
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
    settings = &programSettings;
    glass = &programGlass;
    figure = &programFigure;
    Clear();
    CreateMainWindow();
    UseDefaultSettings();
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
