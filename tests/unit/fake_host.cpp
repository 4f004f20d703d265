#include "fake_host.h"

#include <utility>

#include "game/turn.h"

FakeHost host;

namespace {

void Log(Logged what, int value = 0) {
    host.log.push_back({what, value, EventKind::Other});
}

std::string KeyName(int key) {
    constexpr std::pair<int, const char*> names[] = {{KeySpace, "Space"}, {KeyLeft, "Left"},
                                                     {KeyUp, "Up"},       {KeyRight, "Right"},
                                                     {KeyDown, "Down"},   {KeyP, "P"}};
    for (const auto& [code, name] : names) {
        if (code == key) {
            return name;
        }
    }
    return std::to_string(key);
}

// How LogLines writes each kind of entry, in the order of Logged; a name that ends in a blank
// is followed by the entry's value.
constexpr const char* EntryNames[] = {"event",  "quit",   "glass",     "preview",
                                      "score ", "timer ", "timer off", "label ",
                                      "focus",  "reset?", "hiscore ",  "save"};

std::string EntryText(const LogEntry& entry) {
    if (entry.what == Logged::Event && entry.event == EventKind::KeyPressed) {
        return "press " + KeyName(entry.value);
    }
    if (entry.what == Logged::Event && entry.event == EventKind::KeyReleased) {
        return "release " + KeyName(entry.value);
    }
    if (entry.what == Logged::Event) {
        return entry.event == EventKind::TimerTick ? "tick" : "other";
    }
    if (entry.what == Logged::PauseLabel) {
        return entry.value ? "label Unpause" : "label Pause";
    }
    const std::string name = EntryNames[static_cast<int>(entry.what)];
    return name.back() == ' ' ? name + std::to_string(entry.value) : name;
}

} // namespace

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
            Log(Logged::Quit);
            return true;
        }
        host.log.push_back({Logged::Event, next.event.key, next.event.kind});
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
    Log(Logged::Timer, period);
}

void StopFallTimer() {
    host.timerPeriod = 0;
    Log(Logged::TimerStopped);
}

void HoldFineTimer(bool hold) {
    host.fineTimer = hold;
}

void RequestGlassRepaint() {
    Log(Logged::GlassRepaint);
    if (host.onGlassRepaint) {
        host.onGlassRepaint();
    }
}

void RequestPreviewRepaint() {
    Log(Logged::PreviewRepaint);
}

void UpdateScorePanel() {
    Log(Logged::Score, score);
}

void ShowPauseLabel(bool userPaused) {
    Log(Logged::PauseLabel, userPaused ? 1 : 0);
}

void FocusMainWindow() {
    Log(Logged::Focus);
}

bool AskResetQuestion() {
    Log(Logged::ResetQuestion);
    if (host.resetAnswers.empty()) {
        return false;
    }
    const bool yes = host.resetAnswers.front();
    host.resetAnswers.pop_front();
    return yes;
}

void RunHiScoreEntry() {
    Log(Logged::HiScoreEntry, score);
}

void SaveSettingsAndExit() {
    Log(Logged::Save);
    throw ProcessExit{0, "", 0};
}

void RuntimeAssert(const char* file, int line) {
    throw ProcessExit{-1, file, line};
}

Lines LogLines() {
    Lines lines(1);
    for (const LogEntry& entry : host.log) {
        if (entry.what == Logged::Event || entry.what == Logged::Quit) {
            lines.push_back(EntryText(entry) + ":");
        } else {
            std::string& line = lines.back();
            line += (line.empty() ? "" : line.back() == ':' ? " " : ", ") + EntryText(entry);
        }
    }
    return lines;
}

std::vector<int> LoggedValues(Logged what) {
    std::vector<int> values;
    for (const LogEntry& entry : host.log) {
        if (entry.what == what) {
            values.push_back(entry.value);
        }
    }
    return values;
}

int LoggedCount(Logged what) {
    return static_cast<int>(LoggedValues(what).size());
}
