#include "settings/options_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/apply_layout.h"
#include "app/shell_state.h"
#include "app/system_libraries.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

constexpr uint32_t DefaultCustomColor = 0x800040;

// A size the player types: its edit, its up-down control, its accepted range and its complaint.
struct SizeField {
    int edit;
    int upDown;
    int32_t minimum;
    int32_t maximum;
    const char* complaint;
    int32_t Settings::*field;
};

constexpr SizeField SizeFields[] = {
    {IDC_BRICK_WIDTH, IDC_BRICK_WIDTH_SPIN, 6, 50, "Incorrect brick width", &Settings::BrkWidth},
    {IDC_BRICK_HEIGHT, IDC_BRICK_HEIGHT_SPIN, 6, 50, "Incorrect brick height",
     &Settings::BrkHeight},
    {IDC_BRICKS_PER_LINE, IDC_BRICKS_PER_LINE_SPIN, 7, 30, "Incorrect value of bricks per line",
     &Settings::BrksPerLine},
    {IDC_BRICKS_PER_COLUMN, IDC_BRICKS_PER_COLUMN_SPIN, 7, 40,
     "Incorrect value of bricks per column", &Settings::BrksPerColumn},
};

void FillControls(HWND dialog) {
    for (const SizeField& size : SizeFields) {
        SendDlgItemMessageA(dialog, size.upDown, UDM_SETRANGE, 0,
                            MAKELPARAM(size.maximum, size.minimum));
        SetDlgItemInt(dialog, size.edit, static_cast<UINT>(settings->*size.field), FALSE);
    }
    CheckRadioButton(dialog, IDC_CLASSIC, IDC_EXTENDED,
                     settings->FiguresSetSize == 11 ? IDC_EXTENDED : IDC_CLASSIC);
}

// The number in a size's edit, or -1 when its text is not a number: decimal digits, with blanks
// around them. The system's own reading takes a sign and stops at a letter, so that "12abc" read
// as 12 and "-4294967290" wrapped round to 6; the text is read here instead. Any number beyond
// 32 bits is only too large.
int64_t ReadSize(HWND dialog, int edit) {
    char text[64] = "";
    if (GetWindowTextLengthA(GetDlgItem(dialog, edit)) >= static_cast<int>(sizeof text)) {
        return -1;
    }
    GetDlgItemTextA(dialog, edit, text, sizeof text);
    const char* c = text;
    while (*c == ' ') {
        ++c;
    }
    int64_t number = 0;
    const char* const digits = c;
    for (; *c >= '0' && *c <= '9'; ++c) {
        number = std::min<int64_t>(number * 10 + (*c - '0'), int64_t{INT32_MAX} + 1);
    }
    const bool isNumber = c != digits;
    while (*c == ' ') {
        ++c;
    }
    return isNumber && *c == '\0' ? number : -1;
}

void ChooseBackground(HWND dialog) {
    // Custom colours start afresh every time; the player's are not kept.
    COLORREF customColors[16];
    for (COLORREF& color : customColors) {
        color = DefaultCustomColor;
    }
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.rgbResult = settings->GlassBackgrColor;
    request.lpCustColors = customColors;
    request.Flags = CC_RGBINIT | CC_FULLOPEN;
    // Loaded here rather than imported: Wine's common dialogs import the common controls, which
    // its loader would look for in the program's folder first.
    SystemFunctionOf<BOOL(WINAPI*)(CHOOSECOLORA*)>("comdlg32.dll", "ChooseColorA")(&request);
    // A cancelled chooser leaves the initial colour in the request, so nothing changes then.
    settings->GlassBackgrColor = request.rgbResult;
}

} // namespace

void ApplyOptions(HWND dialog) {
    char complaint[50] = "";
    int32_t values[4];
    for (int i = 0; i < 4; ++i) {
        const SizeField& size = SizeFields[i];
        const int64_t number = ReadSize(dialog, size.edit);
        if (number < size.minimum || number > size.maximum) {
            std::strcpy(complaint, size.complaint);
        }
        values[i] = static_cast<int32_t>(number);
    }
    settings->FiguresSetSize = IsDlgButtonChecked(dialog, IDC_CLASSIC) == BST_CHECKED ? 6 : 11;
    if (complaint[0] != '\0') {
        // Nothing is stored until all four are right: the painter may draw the glass meanwhile.
        MessageBoxA(mainWindow, complaint, "Incorrect value", MB_OK);
        return;
    }
    bool changed = false;
    for (int i = 0; i < 4; ++i) {
        changed = changed || settings->*SizeFields[i].field != values[i];
        settings->*SizeFields[i].field = values[i];
    }
    EndDialog(dialog, 0);
    LayoutWindow();
    // Saved at once, as a new score is, rather than only at quit. A store that refuses it now
    // does not end the game: the save at quit tries again.
    TrySaveSettings(settings);
    // The sizes are kept for a larger screen; the player learns what this one shows of them.
    int width = 0;
    int height = 0;
    if (changed && ShownBrickSize(windowLayout, &width, &height)) {
        char shown[120];
        wsprintfA(shown,
                  "The window does not fit on this screen at full size.\n"
                  "This screen shows the bricks at %d x %d pixels.",
                  width, height);
        MessageBoxA(mainWindow, shown, "Windows Stakko", MB_OK | MB_ICONINFORMATION);
    }
}

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FillControls(dialog);
        return FALSE;
    case WM_COMMAND:
        if (HIWORD(wParam) != 0) {
            return TRUE;
        }
        switch (LOWORD(wParam)) {
        case IDOK:
            ApplyOptions(dialog);
            break;
        case IDCANCEL:
            EndDialog(dialog, 0);
            break;
        case IDC_BACKGROUND:
            ChooseBackground(dialog);
            break;
        default:
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}
