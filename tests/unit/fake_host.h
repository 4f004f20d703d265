// A scripted stand-in for the platform: it feeds the pumps events from a script and records
// every event it delivers and every effect the rules ask of the platform, in one ordered log.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/host.h"

// Thrown where the real program would end its process, so a test can look at how it ended.
struct ProcessExit {
    int code;
    std::string file; // module of a fatal failure
    int line;
};

struct ScriptedEvent {
    bool quit;
    Event event;
    // What the window procedure does when the event is dispatched, as for a button click.
    std::function<void()> onDispatch = nullptr;
};

// What the log records, with the value that goes with it.
enum class Logged {
    Event, // a pump handed an event to its filter; value: the key code
    Quit,  // a pump took the quit event
    GlassRepaint,
    PreviewRepaint,
    Score, // the score panel was updated; value: the score it shows
    Timer, // the fall timer was started; value: its period
    TimerStopped,
    PauseLabel, // value: userPaused
    Focus,
    ResetQuestion,
    HiScoreEntry, // value: the score the game hands to the table
    Save,
};

struct LogEntry {
    Logged what;
    int value;
    EventKind event; // for Logged::Event
};

struct FakeHost {
    std::deque<ScriptedEvent> script; // what the pumps deliver next
    // Asked for another event when the script has run out; returning false delivers the quit
    // event, which ends a scripted game the way the player would.
    std::function<bool(Event& next)> moreEvents;

    // Called after the filter has seen an event, with the filter that saw it.
    std::function<void(EventFilter filter)> afterEvent;
    // Called at every request to repaint the glass.
    std::function<void()> onGlassRepaint;

    int timerPeriod = 0;           // 0 while the fall timer is stopped
    bool fineTimer = false;        // the timer's finest resolution is held
    std::deque<bool> resetAnswers; // answers to the reset question; No when empty
    std::vector<LogEntry> log;     // every delivered event and every effect, in order
};

extern FakeHost host;

// A fresh host: empty script, nothing recorded.
void ResetHost();

void ScriptKey(int key);     // press and release
void ScriptPress(int key);   // press only
void ScriptRelease(int key); // release only
void ScriptTicks(int count);
void ScriptOther();
void ScriptClick(std::function<void()> onDispatch); // a message whose dispatch runs the action
void ScriptQuit();

// The log as text, one line per delivered event with the effects that followed it, such as
// "press Down: glass, score 7, timer 35"; the first line holds the effects before any event.
using Lines = std::vector<std::string>;
Lines LogLines();
// The values logged for one kind of entry, in order: every score shown, every timer period.
std::vector<int> LoggedValues(Logged what);
int LoggedCount(Logged what);
