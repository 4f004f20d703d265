#include "fake_host.h"

FakeHost host;

void ResetHost() {
    host = FakeHost{};
}

void ScriptPress(int key) {
    host.script.push_back({false, {EventKind::KeyPressed, key}});
}

void ScriptRelease(int key) {
    host.script.push_back({false, {EventKind::KeyReleased, key}});
}

void ScriptKey(int key) {
    ScriptPress(key);
    ScriptRelease(key);
}

void ScriptTicks(int count) {
    for (int i = 0; i < count; ++i) {
        host.script.push_back({false, {EventKind::TimerTick, 0}});
    }
}

void ScriptOther() {
    host.script.push_back({false, {EventKind::Other, 0}});
}

void ScriptQuit() {
    host.script.push_back({true, {EventKind::Other, 0}});
}

bool PumpMessages(EventFilter filter) {
    for (;;) {
        ScriptedEvent next{true, {EventKind::Other, 0}};
        if (!host.script.empty()) {
            next = host.script.front();
            host.script.pop_front();
        } else if (host.moreEvents && host.moreEvents(next.event)) {
            next.quit = false;
        }
        if (next.quit) {
            return true;
        }
        if (!filter(next.event)) {
            return false;
        }
    }
}

void SetFallTimer(int period) {
    host.timerPeriod = period;
    host.timerPeriods.push_back(period);
}

void StopFallTimer() {
    host.timerPeriod = 0;
}

void RequestGlassRepaint() {
    ++host.glassRepaints;
}

void RequestPreviewRepaint() {
    ++host.previewRepaints;
}

void UpdateScorePanel() {
    ++host.scorePanelUpdates;
}

void ShowPauseLabel(bool userPaused) {
    host.pauseLabels.push_back(userPaused);
}

void FocusMainWindow() {
    ++host.focusRequests;
}

bool AskResetQuestion() {
    ++host.resetQuestions;
    if (host.resetAnswers.empty()) {
        return false;
    }
    const bool yes = host.resetAnswers.front();
    host.resetAnswers.pop_front();
    return yes;
}

void RunHiScoreEntry() {
    ++host.hiScoreEntries;
}

void SaveSettingsAndExit() {
    ++host.saves;
    throw ProcessExit{0, "", 0};
}

void RuntimeAssert(const char* file, int line) {
    throw ProcessExit{-1, file, line};
}
