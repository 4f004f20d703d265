#include "fake_host.h"

#include "game/turn.h"

FakeHost host;

void ResetHost() {
    host = FakeHost{};
}

void ScriptPress(int key) {
    host.script.push_back({false, {EventKind::KeyPressed, key}, nullptr});
}

void ScriptRelease(int key) {
    host.script.push_back({false, {EventKind::KeyReleased, key}, nullptr});
}

void ScriptKey(int key) {
    ScriptPress(key);
    ScriptRelease(key);
}

void ScriptTicks(int count) {
    for (int i = 0; i < count; ++i) {
        host.script.push_back({false, {EventKind::TimerTick, 0}, nullptr});
    }
}

void ScriptOther() {
    host.script.push_back({false, {EventKind::Other, 0}, nullptr});
}

void ScriptClick(std::function<void()> onDispatch) {
    host.script.push_back({false, {EventKind::Other, 0}, std::move(onDispatch)});
}

void ScriptQuit() {
    host.script.push_back({true, {EventKind::Other, 0}, nullptr});
}

bool PumpMessages(EventFilter filter) {
    for (;;) {
        ScriptedEvent next{true, {EventKind::Other, 0}, nullptr};
        if (!host.script.empty()) {
            next = host.script.front();
            host.script.pop_front();
        } else if (host.moreEvents && host.moreEvents(next.event)) {
            next.quit = false;
        }
        if (next.quit) {
            return true;
        }
        const bool pass = filter(next.event);
        if (host.afterEvent) {
            host.afterEvent(filter);
        }
        if (!pass) {
            return false;
        }
        if (next.onDispatch) {
            next.onDispatch();
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
    if (host.onGlassRepaint) {
        host.onGlassRepaint();
    }
}

void RequestPreviewRepaint() {
    ++host.previewRepaints;
}

void UpdateScorePanel() {
    host.scoresShown.push_back(score);
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
    host.hiScoreEntries.push_back(score);
}

void SaveSettingsAndExit() {
    ++host.saves;
    throw ProcessExit{0, "", 0};
}

void RuntimeAssert(const char* file, int line) {
    throw ProcessExit{-1, file, line};
}
