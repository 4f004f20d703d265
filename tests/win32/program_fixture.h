// What the Win32 tests of the program's windows share: the program's records and main window,
// set up once per test executable as start-up does, and answers to modal dialogs and boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "settings/settings.h"

// Starts the program up as a first start on this machine does, up to its first game: the records
// (the settings at their defaults), the main window with its controls, laid out, and the About
// box's class; a test environment of this file calls it once per test program.
void SetUpProgram();

// Starts afresh as on a machine that never ran the game: nothing stored, the default settings
// loaded, and the window laid out again.
void UseDefaultSettings();

// Removes the stored settings from both hives, so that a test can tell whether anything saved.
void RemoveStoredSettings();

// What the store holds now, loaded into a record.
Settings StoredSettings();

// Calls the handler whenever a dialog or message box of this thread becomes active, with its
// caption and how many times a window with that caption became active so far (1 the first
// time). The handler acts by posting to the window. Ends when the object goes.
class DialogAnswers {
  public:
    using Handler = std::function<void(HWND window, const std::string& caption, int times)>;
    explicit DialogAnswers(Handler handler);
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    std::map<std::string, int> seen; // activations by caption
};

std::string TextOf(HWND window);
std::string DialogText(HWND dialog, int id);

// The text of a message box's message.
std::string MessageOf(HWND box);

// Clicks a dialog's button, as the dialog manager does for Enter, Escape and clicks.
void Press(HWND dialog, int id);

// Points the program's calls of a system function at a stand-in, which calls the original it is
// given back; the program reaches the system through this executable's import table. Returns the
// original, or null when the program does not call the function.
void* ReplaceImport(const char* function, void* standIn);
