#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell_state.h"
#include "foreground.h"
#include "game/figure.h"
#include "game/glass.h"
#include "game/host.h"
#include "game/turn.h"
#include "program_fixture.h"
#include "resources/resource_ids.h"
#include "settings/hiscore_dialogs.h"
#include "settings/options_dialog.h"
#include "settings/settings.h"

namespace {

INT_PTR OpenHiScores(LPARAM enterScore) {
    return DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_HISCORES), mainWindow,
                           HiScoresDlgProc, enterScore);
}

INT_PTR OpenOptions() {
    return DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_OPTIONS), mainWindow,
                           OptionsDlgProc, 0);
}

std::vector<std::string> ListLines(HWND dialog, int id) {
    std::vector<std::string> lines;
    const auto count = SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char line[128] = {};
        SendDlgItemMessageA(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        lines.emplace_back(line);
    }
    return lines;
}

class HiScoreDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        UseDefaultSettings();
        std::strcpy(playerName, "Someone");
    }
    // Plays the end of a game with this score: the name dialog gets the text and the button,
    // and the table dialog's lists are kept before it is closed with OK.
    INT_PTR FinishGame(int32_t finalScore, const std::string& name, int button) {
        score = finalScore;
        DialogAnswers answers([&](HWND window, const std::string& caption, int) {
            if (caption == "Enter Your name") {
                SetDlgItemTextA(window, IDC_NAME, name.c_str());
                Press(window, button);
            } else if (caption == "Hi-Scores") {
                names = ListLines(window, IDC_HISCORE_NAMES);
                scores = ListLines(window, IDC_HISCORE_SCORES);
                Press(window, IDOK);
            }
        });
        const INT_PTR result = OpenHiScores(1);
        seen = answers.seen;
        return result;
    }
    std::vector<std::string> names;
    std::vector<std::string> scores;
    std::map<std::string, int> seen;
};

TEST_F(HiScoreDialogs, AFinishedGameAsksForTheNameThenShowsTheTableWithTheNewEntry) {
    EXPECT_EQ(FinishGame(500, "Ann", IDOK), 0);
    EXPECT_EQ(seen["Enter Your name"], 1);
    ASSERT_EQ(names.size(), 13u);
    ASSERT_EQ(scores.size(), 13u);
    EXPECT_EQ(names[0], "Ann");
    EXPECT_EQ(scores[0], "500");
    EXPECT_EQ(names[12], "None");
    EXPECT_EQ(scores[12], "0");
    EXPECT_STREQ(settings->HiScores[0].name, "Ann");
}

TEST_F(HiScoreDialogs, OkWithAnEmptyNameEntersPlayerWithoutName) {
    FinishGame(300, "", IDOK);
    EXPECT_STREQ(playerName, "Player without name");
    EXPECT_EQ(names[0], "Player without name");
}

TEST_F(HiScoreDialogs, CancelEntersNothingButTheTableStillShows) {
    FinishGame(300, "Bob", IDCANCEL);
    EXPECT_STREQ(playerName, "");
    EXPECT_EQ(seen["Hi-Scores"], 1);
    EXPECT_EQ(names[0], "None");
    EXPECT_EQ(scores[0], "0");
}

TEST_F(HiScoreDialogs, ALongNameIsCutTo49Characters) {
    FinishGame(300, std::string(60, 'L'), IDOK);
    EXPECT_EQ(std::string(playerName), std::string(49, 'L'));
    EXPECT_EQ(names[0], std::string(49, 'L'));
}

TEST_F(HiScoreDialogs, TheNameEditTakesNoMoreThan49TypedCharacters) {
    int accepted = 0;
    DialogAnswers answers([&](HWND window, const std::string& caption, int) {
        if (caption == "Enter Your name") {
            HWND edit = GetDlgItem(window, IDC_NAME);
            for (int i = 0; i < 60; ++i) {
                SendMessageA(edit, WM_CHAR, 'i', 0); // narrow letters: the width is not the limit
            }
            accepted = GetWindowTextLengthA(edit);
            Press(window, IDCANCEL);
        } else {
            Press(window, IDOK);
        }
    });
    OpenHiScores(1);
    EXPECT_LE(accepted, 49);
    EXPECT_GT(accepted, 0);
}

TEST_F(HiScoreDialogs, AnEightBitNameIsTypedEnteredAndSavedAtOnceWithItsNul) {
    // Every byte here is a character of code page 1252, the ANSI code page of an English Windows
    // and of Wine in an English or C locale: the edit control holds Unicode, and a byte that the
    // code page lacks would not come back.
    const std::string names8[] = {"J\xF6rg \xC4\xE9\xDF", "\x80\x9F\xA0\xFF\xA9"};
    for (const std::string& name : names8) {
        UseDefaultSettings();
        RemoveStoredSettings();
        score = 700;
        DialogAnswers answers([&](HWND window, const std::string& caption, int) {
            if (caption == "Enter Your name") {
                for (char c : name) {
                    SendDlgItemMessageA(window, IDC_NAME, WM_CHAR, static_cast<BYTE>(c), 0);
                }
            }
            Press(window, IDOK);
        });
        OpenHiScores(1);
        EXPECT_EQ(std::string(settings->HiScores[0].name), name);
        const Settings stored = StoredSettings();
        EXPECT_EQ(std::memcmp(stored.HiScores[0].name, name.c_str(), name.size() + 1), 0)
            << "saved: " << stored.HiScores[0].name;
        EXPECT_EQ(stored.HiScores[0].score, 700);
    }
}

TEST_F(HiScoreDialogs, FromTheMenuTheTableShowsInOrderWithoutAskingForAName) {
    const int32_t table[13] = {999999, 70000, 6000, 500, 40, 3, 0, 0, -1, -20, -300, -4000, -50000};
    for (int i = 0; i < 13; ++i) {
        std::snprintf(settings->HiScores[i].name, HiScoreNameSize, "Player %d", i);
        settings->HiScores[i].score = table[i];
    }
    DialogAnswers answers([&](HWND window, const std::string& caption, int) {
        if (caption == "Hi-Scores") {
            names = ListLines(window, IDC_HISCORE_NAMES);
            scores = ListLines(window, IDC_HISCORE_SCORES);
        }
        Press(window, IDOK);
    });
    SendMessageA(mainWindow, WM_COMMAND, IDM_HISCORES, 0);
    EXPECT_EQ(answers.seen.count("Enter Your name"), 0u);
    EXPECT_EQ(answers.seen["Hi-Scores"], 1);
    ASSERT_EQ(names.size(), 13u);
    EXPECT_EQ(names[5], "Player 5");
    EXPECT_EQ(scores, (std::vector<std::string>{"999999", "70000", "6000", "500", "40", "3", "0",
                                                "0", "-1", "-20", "-300", "-4000", "-50000"}));
}

TEST_F(HiScoreDialogs, TheListsAreYellowOnBlack) {
    DialogAnswers answers([&](HWND window, const std::string& caption, int) {
        if (caption == "Hi-Scores") {
            HWND list = GetDlgItem(window, IDC_HISCORE_NAMES);
            HDC dc = GetDC(list);
            const auto brush =
                SendMessageA(window, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(list));
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(BLACK_BRUSH));
            EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 0));
            EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
            ReleaseDC(list, dc);
        }
        Press(window, IDOK);
    });
    OpenHiScores(0);
}

class OptionsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        UseDefaultSettings();
    }
    // Opens Options, types the four sizes, presses OK, and answers a complaint by closing it
    // and cancelling the dialog. Returns the complaint, empty when the OK was accepted.
    std::string TryOk(const char* width, const char* height, const char* perLine,
                      const char* perColumn) {
        std::string complaint;
        HWND options = nullptr;
        DialogAnswers answers([&](HWND window, const std::string& caption, int) {
            if (caption == "Options" && options == nullptr) {
                options = window;
                SetDlgItemTextA(window, IDC_BRICK_WIDTH, width);
                SetDlgItemTextA(window, IDC_BRICK_HEIGHT, height);
                SetDlgItemTextA(window, IDC_BRICKS_PER_LINE, perLine);
                SetDlgItemTextA(window, IDC_BRICKS_PER_COLUMN, perColumn);
                Press(window, IDOK);
            } else if (caption == "Incorrect value") {
                complaint = MessageOf(window);
                complaintOwner = GetWindow(window, GW_OWNER);
                optionsStayedOpen = IsWindowVisible(options) != FALSE;
                Press(window, IDOK);
                Press(options, IDCANCEL);
            } else if (caption == "Windows Stakko") {
                notice = MessageOf(window);
                Press(window, IDOK);
            }
        });
        EXPECT_EQ(OpenOptions(), 0);
        return complaint;
    }
    std::string notice;
    bool optionsStayedOpen = false;
    HWND complaintOwner = nullptr;
};

TEST_F(OptionsDialog, OpensWithTheCurrentSettings) {
    settings->FiguresSetSize = 11;
    DialogAnswers answers([&](HWND window, const std::string&, int) {
        EXPECT_EQ(DialogText(window, IDC_BRICK_WIDTH), "15");
        EXPECT_EQ(DialogText(window, IDC_BRICK_HEIGHT), "15");
        EXPECT_EQ(DialogText(window, IDC_BRICKS_PER_LINE), "10");
        EXPECT_EQ(DialogText(window, IDC_BRICKS_PER_COLUMN), "20");
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_EXTENDED), BST_CHECKED);
        const auto range =
            SendDlgItemMessageA(window, IDC_BRICKS_PER_COLUMN_SPIN, UDM_GETRANGE, 0, 0);
        EXPECT_EQ(LOWORD(range), 40);
        EXPECT_EQ(HIWORD(range), 7);
        Press(window, IDCANCEL);
    });
    OpenOptions();
}

TEST_F(OptionsDialog, OnlyTheLastWrongFieldIsNamedAndNothingIsStored) {
    EXPECT_EQ(TryOk("5", "15", "31", "20"), "Incorrect value of bricks per line");
    EXPECT_TRUE(optionsStayedOpen);
    EXPECT_EQ(complaintOwner, mainWindow) << "the complaint belongs to the main window";
    EXPECT_EQ(TryOk("5", "51", "10", "20"), "Incorrect brick height");
    EXPECT_EQ(TryOk("", "15", "10", "20"), "Incorrect brick width");
    EXPECT_EQ(TryOk("abc", "15", "10", "20"), "Incorrect brick width");
    EXPECT_EQ(settings->BrkWidth, 15);
    EXPECT_EQ(settings->BrkHeight, 15);
    EXPECT_EQ(settings->BrksPerLine, 10);
    EXPECT_EQ(settings->BrksPerColumn, 20);
}

TEST_F(OptionsDialog, HostileTextIsRefusedAndSavesNothingWhileAnAcceptedOkSavesAtOnce) {
    const std::string hostile[] = {
        "-5", "-4294967290", "4294967295", "4294967302", std::string(50, '7'), "   ", "12abc"};
    const char* const complaints[] = {"Incorrect brick width", "Incorrect brick height",
                                      "Incorrect value of bricks per line",
                                      "Incorrect value of bricks per column"};
    RemoveStoredSettings();
    for (const std::string& text : hostile) {
        for (int field = 0; field < 4; ++field) {
            const char* fields[4] = {"15", "15", "10", "20"};
            fields[field] = text.c_str();
            EXPECT_EQ(TryOk(fields[0], fields[1], fields[2], fields[3]), complaints[field])
                << "\"" << text << "\" in field " << field;
        }
    }
    EXPECT_EQ(settings->BrkWidth, 15);
    EXPECT_EQ(settings->BrkHeight, 15);
    EXPECT_EQ(settings->BrksPerLine, 10);
    EXPECT_EQ(settings->BrksPerColumn, 20);
    EXPECT_EQ(StoredSettings().BrkWidth, 15) << "a refused OK saves nothing";
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brindlewick Software\\Dropstakk", 0,
                            KEY_READ | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);

    settings->FiguresSetSize = 11;
    EXPECT_EQ(TryOk("21", "22", "23", "24"), "");
    const Settings stored = StoredSettings();
    EXPECT_EQ(stored.BrkWidth, 21);
    EXPECT_EQ(stored.BrkHeight, 22);
    EXPECT_EQ(stored.BrksPerLine, 23);
    EXPECT_EQ(stored.BrksPerColumn, 24);
    EXPECT_EQ(stored.FiguresSetSize, 11);
}

TEST_F(OptionsDialog, TheBoundsAreAcceptedAndOneBeyondRefused) {
    EXPECT_EQ(TryOk("6", "50", "30", "7"), "");
    EXPECT_EQ(settings->BrkWidth, 6);
    EXPECT_EQ(settings->BrkHeight, 50);
    EXPECT_EQ(settings->BrksPerLine, 30);
    EXPECT_EQ(settings->BrksPerColumn, 7);
    EXPECT_EQ(TryOk("50", "6", "7", "40"), "");
    EXPECT_EQ(settings->ClientWidth, 7 * 50);
    EXPECT_EQ(settings->ClientHeight, 40 * 6 + 65);

    EXPECT_EQ(TryOk("51", "6", "7", "40"), "Incorrect brick width");
    EXPECT_EQ(TryOk("50", "5", "7", "40"), "Incorrect brick height");
    EXPECT_EQ(TryOk("50", "6", "6", "40"), "Incorrect value of bricks per line");
    EXPECT_EQ(TryOk("50", "6", "31", "40"), "Incorrect value of bricks per line");
    EXPECT_EQ(TryOk("50", "6", "7", "6"), "Incorrect value of bricks per column");
    EXPECT_EQ(TryOk("50", "6", "7", "41"), "Incorrect value of bricks per column");
    EXPECT_EQ(settings->BrkWidth, 50);
    EXPECT_EQ(settings->BrksPerColumn, 40);
}

// Sizes are the player's for any screen: this 768-pixel one draws 40 rows of 16 pixels.
TEST_F(OptionsDialog, SizesTooLargeForTheScreenAreKeptAndTheBrickSizeShownIsNamed) {
    EXPECT_EQ(TryOk("15", "50", "10", "40"), "");
    EXPECT_EQ(notice, "The window does not fit on this screen at full size.\n"
                      "This screen shows the bricks at 6 x 16 pixels.");
    EXPECT_EQ(StoredSettings().BrkHeight, 50);
    notice.clear();
    EXPECT_EQ(TryOk("15", "50", "10", "40"), "");
    EXPECT_EQ(notice, "") << "told only when the player changed a size";
}

TEST_F(OptionsDialog, AnyStoredSetSizeButElevenOpensAsClassicAndOkStoresSix) {
    settings->FiguresSetSize = 7;
    DialogAnswers answers([&](HWND window, const std::string&, int) {
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_CLASSIC), BST_CHECKED);
        Press(window, IDOK);
    });
    OpenOptions();
    EXPECT_EQ(settings->FiguresSetSize, 6);
}

TEST_F(OptionsDialog, TheFigureSetIsTakenEvenByARefusedOk) {
    HWND options = nullptr;
    DialogAnswers answers([&](HWND window, const std::string& caption, int) {
        if (caption == "Options" && options == nullptr) {
            options = window;
            CheckRadioButton(window, IDC_CLASSIC, IDC_EXTENDED, IDC_EXTENDED);
            SetDlgItemTextA(window, IDC_BRICK_WIDTH, "99");
            Press(window, IDOK);
        } else if (caption == "Incorrect value") {
            Press(window, IDOK);
            Press(options, IDCANCEL);
        }
    });
    OpenOptions();
    EXPECT_EQ(answers.seen["Incorrect value"], 1);
    EXPECT_EQ(settings->FiguresSetSize, 11);
    EXPECT_EQ(settings->BrkWidth, 15);
}

TEST_F(OptionsDialog, AChosenColourStaysEvenWhenOptionsIsCancelled) {
    settings->GlassBackgrColor = 0x800040;
    COLORREF initial = 0;
    HWND options = nullptr;
    DialogAnswers answers([&](HWND window, const std::string& caption, int) {
        if (caption == "Options" && options == nullptr) {
            options = window;
            Press(window, IDC_BACKGROUND);
        } else if (caption != "Options") {
            // The colour chooser: its red, green and blue fields, then OK.
            initial = RGB(GetDlgItemInt(window, 706, nullptr, FALSE),
                          GetDlgItemInt(window, 707, nullptr, FALSE),
                          GetDlgItemInt(window, 708, nullptr, FALSE));
            SetDlgItemInt(window, 706, 10, FALSE);
            SetDlgItemInt(window, 707, 200, FALSE);
            SetDlgItemInt(window, 708, 30, FALSE);
            Press(window, IDOK);
            Press(options, IDCANCEL);
        }
    });
    OpenOptions();
    EXPECT_EQ(initial, static_cast<COLORREF>(0x800040)) << "the chooser starts at the colour";
    EXPECT_EQ(settings->GlassBackgrColor, RGB(10, 200, 30));
}

TEST_F(OptionsDialog, AnAcceptedOkLaysTheWindowOutAgainAndKeepsTheGame) {
    Clear();
    figure->Init(5, 1);
    figure->row = 10;
    figure->Stamp();
    glass->cells[19][0] = {4, 0};
    const Figure before = *figure;
    EXPECT_EQ(TryOk("20", "12", "12", "25"), "");
    RECT client;
    GetClientRect(mainWindow, &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 25 * 12 + 65);
    EXPECT_EQ(glass->cells[19][0].color, 4);
    EXPECT_EQ(std::memcmp(&before, figure, sizeof before), 0);
    EXPECT_EQ(glass->cells[10 + 1][4].color, 7) << "the falling figure is still stamped";
}

// Keys as a player types them, through the system's input: words for the named keys (Tab, Up,
// Down, Return, Escape), any other word letter by letter.
void Type(const std::string& keys) {
    std::istringstream words(keys);
    for (std::string word; words >> word;) {
        const std::map<std::string, WORD> named = {{"Tab", VK_TAB},
                                                   {"Up", VK_UP},
                                                   {"Down", VK_DOWN},
                                                   {"Return", VK_RETURN},
                                                   {"Escape", VK_ESCAPE}};
        std::vector<WORD> codes;
        if (named.count(word) != 0) {
            codes.push_back(named.at(word));
        } else {
            for (char c : word) {
                codes.push_back(static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))));
            }
        }
        for (WORD code : codes) {
            INPUT press[2] = {};
            press[0].type = press[1].type = INPUT_KEYBOARD;
            press[0].ki.wVk = press[1].ki.wVk = code;
            press[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, press, sizeof(INPUT));
        }
    }
}

// Every dialog as a player works it from the keyboard: the Tab key moves from field to field in
// order (Options opens on OK, the first of them), the arrow keys step a size by one, Return takes
// the default button and Escape cancels. The system's keys go to the window in front, so each row
// starts with the program in front, and a dialog it opens is in front too.
TEST(Keyboard, EachDialogWorksFromTheKeys) {
    const struct {
        WPARAM command; // the menu command that opens it, or 0 for the end of a game
        const char* keys;
        const char* outcome;
    } rows[] = {
        {IDM_OPTIONS, "Tab Tab Up Return", "sizes 16 15 10 20"},
        {IDM_OPTIONS, "Tab Tab Tab Up Return", "sizes 15 16 10 20"},
        {IDM_OPTIONS, "Tab Tab Tab Tab Down Return", "sizes 15 15 9 20"},
        {IDM_OPTIONS, "Tab Tab Tab Tab Tab Up Up Return", "sizes 15 15 10 22"},
        {IDM_OPTIONS, "Tab Tab Up Escape", "sizes 15 15 10 20"},
        {0, "bo Return Return", "name bo, sizes 15 15 10 20"},
        {0, "bo Escape Return", "no name, sizes 15 15 10 20"},
        {IDM_HISCORES, "Return", "sizes 15 15 10 20"},
        {IDM_HISCORES, "Escape", "sizes 15 15 10 20"},
        {IDM_ABOUT, "Escape", "sizes 15 15 10 20"},
    };
    for (const auto& row : rows) {
        UseDefaultSettings(); // which hides the window for a moment: Windows puts another in front
        ASSERT_TRUE(TakeForeground(mainWindow)) << row.keys;
        playerName[0] = '\0';
        score = 300;
        bool typed = false;
        DialogAnswers answers([&](HWND, const std::string&, int) {
            if (!typed) {
                Type(row.keys);
                typed = true;
            }
        });
        if (row.command != 0) {
            SendMessageA(mainWindow, WM_COMMAND, row.command, 0);
        } else {
            RunHiScoreEntry();
        }
        std::string outcome = row.command != 0        ? ""
                              : playerName[0] != '\0' ? std::string("name ") + playerName + ", "
                                                      : "no name, ";
        outcome += "sizes " + std::to_string(settings->BrkWidth) + " " +
                   std::to_string(settings->BrkHeight) + " " +
                   std::to_string(settings->BrksPerLine) + " " +
                   std::to_string(settings->BrksPerColumn);
        EXPECT_EQ(outcome, row.outcome) << row.keys;
    }
    UseDefaultSettings();
}

} // namespace
