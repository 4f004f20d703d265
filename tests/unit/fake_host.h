// A scripted stand-in for the platform: it feeds the pumps events from a script and records
// every effect the rules ask of the platform.
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
    std::vector<int> timerPeriods; // every period the timer was started with
    int glassRepaints = 0;
    int previewRepaints = 0;
    std::vector<int> scoresShown;  // the score at every score panel update
    std::vector<bool> pauseLabels; // userPaused for every label change
    int focusRequests = 0;
    std::deque<bool> resetAnswers; // answers to the reset question; No when empty
    int resetQuestions = 0;
    std::vector<int> hiScoreEntries; // the score of every game that reached the table
    int saves = 0;
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
