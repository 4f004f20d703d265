#include "app/menu_commands.h"

#include <cstdlib>

#include "about/about.h"
#include "app/shell_state.h"
#include "game/game_cycle.h"
#include "resources/resource_ids.h"
#include "settings/hiscore_dialogs.h"
#include "settings/options_dialog.h"

const char* const QuitMessages[QuitMessageCount] = {
    "Are You sure You want to quit this game?",
    "Do You really want to leave such cool game?",
    "Click YES to quit this cool game,\nNO to continue having fun",
    "Click NO to continue playing Stakko,\nYES to exit",
    "If You still want to play, click NO!",
    "This is Your last chance to click NO\nand return to the game",
    "Click NO to take more Stakko!",
    "Why?\nWell... YES to exit, NO to play",
};

void Command(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != 0) {
        return;
    }
    // A button's click arrives as command 0, which no menu item has.
    MenuCommand(mainWindow, wParam);
    if (reinterpret_cast<HWND>(lParam) == resetButton) {
        ConfirmReset();
    } else if (reinterpret_cast<HWND>(lParam) == pauseButton) {
        TogglePause();
    }
}

void MenuCommand(HWND, WPARAM command) {
    // Dialogs are always owned by the main window, whichever window the command came from.
    switch (LOWORD(command)) {
    case IDM_OPTIONS:
        DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_OPTIONS), mainWindow,
                        OptionsDlgProc, 0);
        break;
    case IDM_ABOUT:
        ShowAbout();
        break;
    case IDM_HISCORES:
        DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_HISCORES), mainWindow,
                        HiScoresDlgProc, 0);
        break;
    case IDM_EXIT:
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void AskToQuit() {
    const char* text = QuitMessages[std::rand() % QuitMessageCount];
    if (MessageBoxA(mainWindow, text, "Exit Stakko game", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        DestroyWindow(mainWindow);
    }
}
