#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/pump.h"
#include "fatal_box.h"

namespace {

std::vector<UINT> dispatched;     // messages that reached the window procedure
std::vector<Event> filtered;      // events that reached the filter
std::vector<UINT> fetched;        // messages taken from the queue, seen by a hook
bool charQueuedAtKeyDown = false; // was the character message queued before dispatch?

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
        message == WM_TIMER) {
        dispatched.push_back(message);
    }
    if (message == WM_KEYDOWN) {
        MSG next;
        charQueuedAtKeyDown = PeekMessageA(&next, window, WM_CHAR, WM_CHAR, PM_NOREMOVE) != 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FetchHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        fetched.push_back(reinterpret_cast<MSG*>(lParam)->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class PumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PumpTestWindow";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "PumpTestWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        MSG stale;
        while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
        }
        dispatched.clear();
        filtered.clear();
        fetched.clear();
    }
    void TearDown() override {
        DestroyWindow(window);
        MSG stale;
        while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    bool QueueIsEmpty() {
        MSG next;
        return PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE) == 0;
    }
    HWND window = nullptr;
};

bool RefuseKeyReleases(const Event& event) {
    filtered.push_back(event);
    return event.kind != EventKind::KeyReleased;
}

bool RefuseAfterAKeyPress(const Event& event) {
    filtered.push_back(event);
    return event.kind == EventKind::KeyPressed;
}

TEST_F(PumpTest, AFilterThatRefusesAMessageEndsThePumpWithoutDispatchingIt) {
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostMessageA(window, WM_TIMER, 7, 0);
    PostMessageA(window, WM_KEYUP, VK_LEFT, 0);
    PostMessageA(window, WM_USER + 2, 0, 0);

    EXPECT_FALSE(PumpMessages(RefuseKeyReleases));

    EXPECT_EQ(dispatched, (std::vector<UINT>{WM_USER + 1, WM_TIMER}));
    ASSERT_EQ(filtered.size(), 3u);
    EXPECT_EQ(filtered[1].kind, EventKind::TimerTick);
    EXPECT_EQ(filtered[2].kind, EventKind::KeyReleased);
    EXPECT_EQ(filtered[2].key, VK_LEFT);
    MSG next;
    ASSERT_TRUE(PeekMessageA(&next, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(next.message, WM_USER + 2u) << "the refused message is lost, the rest stays queued";
}

TEST_F(PumpTest, TheQuitMessageEndsThePumpWithoutReachingTheFilter) {
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostQuitMessage(0);

    EXPECT_TRUE(PumpMessages(RefuseKeyReleases));

    ASSERT_EQ(filtered.size(), 1u);
    EXPECT_EQ(filtered[0].kind, EventKind::Other);
    EXPECT_EQ(dispatched, (std::vector<UINT>{WM_USER + 1}));
}

TEST_F(PumpTest, AKeyPressIsTranslatedBeforeDispatchSoItsCharacterFollows) {
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, FetchHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    // Posted, it reaches only this window, in front or not; the character comes from the keyboard
    // layout, and the key A makes one on every layout.
    PostMessageA(window, WM_KEYDOWN, 'A', MAKELPARAM(1, MapVirtualKeyA('A', MAPVK_VK_TO_VSC)));

    EXPECT_FALSE(PumpMessages(RefuseAfterAKeyPress));
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(fetched, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
    EXPECT_TRUE(charQueuedAtKeyDown);
    EXPECT_EQ(dispatched, (std::vector<UINT>{WM_KEYDOWN}));
    ASSERT_EQ(filtered.size(), 2u);
    EXPECT_EQ(filtered[0].kind, EventKind::KeyPressed);
    EXPECT_EQ(filtered[0].key, 'A');
    EXPECT_EQ(filtered[1].kind, EventKind::Other);
    EXPECT_TRUE(QueueIsEmpty());
}

TEST(ToEvent, OnlyTheMessageKindAndTheKeyCodeAreRead) {
    MSG tick = {};
    tick.message = WM_TIMER;
    tick.wParam = 99;
    EXPECT_EQ(ToEvent(tick).kind, EventKind::TimerTick);

    MSG press = {};
    press.message = WM_KEYDOWN;
    press.wParam = VK_SPACE;
    EXPECT_EQ(ToEvent(press).kind, EventKind::KeyPressed);
    EXPECT_EQ(ToEvent(press).key, VK_SPACE);

    MSG character = {};
    character.message = WM_CHAR;
    character.wParam = 'p';
    EXPECT_EQ(ToEvent(character).kind, EventKind::Other);
}

// The child process that fails an assertion; its box is answered by the test below.
constexpr char AssertChildSwitch[] = "--runtime-assert-child";
constexpr int AssertChildLine = 4242;

TEST(RuntimeAssert, ShowsTheTaskModalBoxWithFileAndLineAndExitsWithMinusOne) {
    const FatalReport report = RunFatalChild(AssertChildSwitch);
    ASSERT_TRUE(report.boxShown) << "no error box appeared";
    EXPECT_EQ(report.boxOwner, nullptr);
    EXPECT_TRUE(ShowsText(report, "Run-time assertion failed\nFile: Droppa\nLine: 4242"))
        << ::testing::PrintToString(report.texts);
    EXPECT_EQ(report.exitCode, static_cast<DWORD>(-1));
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], AssertChildSwitch) == 0) {
        RuntimeAssert("Droppa", AssertChildLine);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
