// What the rules need from the platform, as plain functions. The Win32 shell in app/ implements
// them over the main window; the unit tests implement them with a scripted fake.
#pragma once

enum class EventKind { KeyPressed, KeyReleased, TimerTick, Other };

struct Event {
    EventKind kind;
    int key; // virtual-key code of a key event, 0 otherwise
};

// The keys the turn acts on, as the platform's virtual-key codes.
constexpr int KeySpace = 0x20;
constexpr int KeyLeft = 0x25;
constexpr int KeyUp = 0x26;
constexpr int KeyRight = 0x27;
constexpr int KeyDown = 0x28;
constexpr int KeyP = 0x50;

// A filter sees every event before any window does: true lets it be dispatched, false ends the
// pump without dispatching it.
using EventFilter = bool (*)(const Event& event);

// Runs the thread's events through the filter until it refuses one (false) or the quit event
// arrives (true). The quit event never reaches the filter.
bool PumpMessages(EventFilter filter);

// Stops the fall timer and starts it again with the given period in milliseconds.
void SetFallTimer(int period);
void StopFallTimer();

// The fall keeps its period to the millisecond only while the platform's timer runs at its finest:
// held while the game runs, given back while it is paused and when the program ends.
void HoldFineTimer(bool hold);

// Repaints are deferred: these only ask for the glass or the preview to be drawn later.
void RequestGlassRepaint();
void RequestPreviewRepaint();

void UpdateScorePanel();

// Shows the label of the Pause button that fits the player's pause state.
void ShowPauseLabel(bool userPaused);
void FocusMainWindow();

// Asks whether to begin a new game; true only for Yes.
bool AskResetQuestion();

// After a finished game: asks for the player's name, enters the score and shows the table.
void RunHiScoreEntry();

// The quit path: stores the settings and ends the process with exit code 0.
[[noreturn]] void SaveSettingsAndExit();

// Reports an internal failure with the module name and line, and ends the process with -1.
[[noreturn]] void RuntimeAssert(const char* file, int line);
