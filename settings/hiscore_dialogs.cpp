#include "settings/hiscore_dialogs.h"

#include <cstring>

#include "app/shell_state.h"
#include "game/turn.h"
#include "resources/resource_ids.h"
#include "settings/hiscore_table.h"
#include "settings/store.h"

char playerName[HiScoreNameSize] = "";

namespace {
constexpr int MaxNameLength = 49;
constexpr COLORREF ListTextColor = RGB(255, 255, 0);

HWND nameDialog = nullptr; // the open name dialog, until its name is taken or refused

// Takes the name as typed, or the name for an empty edit, and enters the score when it qualifies.
// Another copy of the game may have entered scores meanwhile: the score is compared with, and the
// table shows, what is stored. Saved at once, so that a score survives a crash or a killed
// process; a store that refuses it now does not end the game, and the save at quit tries again.
void EnterTypedName(HWND dialog) {
    nameDialog = nullptr;
    SendDlgItemMessageA(dialog, IDC_NAME, WM_GETTEXT, MaxNameLength + 1,
                        reinterpret_cast<LPARAM>(playerName));
    if (playerName[0] == '\0') {
        std::strcpy(playerName, "Player without name");
    }
    TakeStoredHiScores(settings);
    if (InsertHiScore(settings->HiScores, playerName, score)) {
        TrySaveSettings(settings);
    }
}

} // namespace

INT_PTR CALLBACK NameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        nameDialog = dialog;
        // A pasted name longer than the table keeps is refused rather than cut silently.
        SendDlgItemMessageA(dialog, IDC_NAME, EM_LIMITTEXT, MaxNameLength, 0);
        SetFocus(GetDlgItem(dialog, IDC_NAME));
        return FALSE; // the focus stays on the name
    case WM_COMMAND:
        if (HIWORD(wParam) != 0) {
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK) {
            EnterTypedName(dialog);
        } else {
            nameDialog = nullptr;
            playerName[0] = '\0';
            TakeStoredHiScores(settings);
        }
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void EnterHiScore() {
    DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_NAME), mainWindow, NameDlgProc, 0);
}

void EnterHiScoreBeforeSessionEnds() {
    if (nameDialog != nullptr) {
        const HWND dialog = nameDialog;
        EnterTypedName(dialog);
        // Should the session go on after all, the player finds the table as after OK.
        EndDialog(dialog, 0);
    }
}

INT_PTR CALLBACK HiScoresDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // The name is asked for before the table shows, so the name dialog stands alone.
        if (lParam != 0) {
            EnterHiScore();
        } else {
            TakeStoredHiScores(settings);
        }
        for (const HiScoreEntry& entry : settings->HiScores) {
            char number[16];
            wsprintfA(number, "%d", static_cast<int>(entry.score)); // at most 11 characters
            SendDlgItemMessageA(dialog, IDC_HISCORE_NAMES, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(entry.name));
            SendDlgItemMessageA(dialog, IDC_HISCORE_SCORES, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(number));
        }
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) {
            EndDialog(dialog, 0);
        }
        return TRUE;
    case WM_CTLCOLORLISTBOX: {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ListTextColor);
        SetBkColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    }
    default:
        return FALSE;
    }
}
