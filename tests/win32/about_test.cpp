#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "about/about.h"
#include "app/shell_state.h"
#include "pixels.h"
#include "resources/resource_ids.h"

namespace {

AppInstance testInstance;

// One opening of the About box, acted on from inside its modal loop. The loop tells its owner
// each time it has nothing left to do (WM_ENTERIDLE); the script runs at the first such moment
// after the dialog has been shown and painted, and a dialog still open at the next one is closed
// there by the session, so that a failed script cannot leave a test waiting.
class AboutSession {
  public:
    using Script = std::function<void(HWND dialog)>;

    explicit AboutSession(Script script, bool closeAtNextIdle = true)
        : script_(std::move(script)), closeAtNextIdle_(closeAtNextIdle) {
        current = this;
    }
    ~AboutSession() {
        current = nullptr;
    }
    AboutSession(const AboutSession&) = delete;
    AboutSession& operator=(const AboutSession&) = delete;

    // The dialog's own result, as the menu command would get it.
    INT_PTR RunDialog() {
        return DialogBoxParamA(appInstance->instance, MAKEINTRESOURCEA(IDD_ABOUT), mainWindow,
                               AboutDlgProc, 0);
    }

    bool ScriptRan() const {
        return scriptRan_;
    }
    // Whether the dialog was still open when the loop next went idle after the script.
    bool ClosedBySession() const {
        return closedBySession_;
    }

    static AboutSession* current;

    void Idle(HWND dialog) {
        if (!scriptRan_) {
            HWND credits = GetDlgItem(dialog, IDC_CREDITS);
            // The loop shows the dialog when it first runs dry; its paints are still to come.
            if (!IsWindowVisible(dialog) || GetUpdateRect(dialog, nullptr, FALSE) ||
                (credits != nullptr && GetUpdateRect(credits, nullptr, FALSE))) {
                return;
            }
            scriptRan_ = true;
            script_(dialog);
        } else if (closeAtNextIdle_ && !closedBySession_) {
            closedBySession_ = true;
            EndDialog(dialog, 0);
        }
    }

  private:
    Script script_;
    bool closeAtNextIdle_;
    bool scriptRan_ = false;
    bool closedBySession_ = false;
};

AboutSession* AboutSession::current = nullptr;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && AboutSession::current != nullptr) {
        AboutSession::current->Idle(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The About box is owned by a plain top-level window of the test standing in for the main
// window; the credits class and fonts are set up once, as at start-up.
class AboutEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        testInstance = {GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW};
        appInstance = &testInstance;
        WNDCLASSA ownerClass = {};
        ownerClass.lpfnWndProc = OwnerProc;
        ownerClass.hInstance = testInstance.instance;
        ownerClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        ownerClass.lpszClassName = "AboutTestOwner";
        ASSERT_NE(RegisterClassA(&ownerClass), 0);
        mainWindow =
            CreateWindowExA(0, "AboutTestOwner", "Windows Stakko", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            20, 20, 200, 400, nullptr, nullptr, testInstance.instance, nullptr);
        ASSERT_NE(mainWindow, nullptr);
        SetUpCredits();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new AboutEnvironment);

bool IsCreditsWindow(HWND window) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "DroppaCastWndClass";
}

// The credits window's client area, copied out of its device context.
class CreditPixels : public Pixels {
  public:
    explicit CreditPixels(HWND window) : Pixels(OfWindow(window)) {}

    bool AllBlack() const {
        return Count([](COLORREF c) { return c != RGB(0, 0, 0); }) == 0;
    }

    int Count(const std::function<bool(COLORREF)>& test) const {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                count += test(At(x, y)) ? 1 : 0;
            }
        }
        return count;
    }

    // The first row, and the first and last columns, holding the colour; -1 when it is absent.
    int TopRowOf(COLORREF color) const {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (At(x, y) == color) {
                    return y;
                }
            }
        }
        return -1;
    }
    int LeftColumnOf(COLORREF color) const {
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y) {
                if (At(x, y) == color) {
                    return x;
                }
            }
        }
        return -1;
    }
    int RightColumnOf(COLORREF color) const {
        for (int x = width - 1; x >= 0; --x) {
            for (int y = 0; y < height; ++y) {
                if (At(x, y) == color) {
                    return x;
                }
            }
        }
        return -1;
    }

    // Empty when each of the top `rows` rows holds what `before` had `step` rows lower; else
    // where the first difference is.
    std::string MovedUpFrom(const CreditPixels& before, int step, int rows) const {
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < width; ++x) {
                if (At(x, y) != before.At(x, y + step)) {
                    return "differs at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                }
            }
        }
        return "";
    }
};

// Ticks of the credits come from the test alone: the window's own timer messages are taken out
// of the queue as they arrive, so a slow machine cannot move the credits behind a test's back.
HHOOK tickHook = nullptr;

LRESULT CALLBACK SwallowCreditTicks(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && message->message == WM_TIMER && IsCreditsWindow(message->hwnd)) {
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class AboutCredits : public ::testing::Test {
  protected:
    void SetUp() override {
        tickHook =
            SetWindowsHookExA(WH_GETMESSAGE, SwallowCreditTicks, nullptr, GetCurrentThreadId());
        ASSERT_NE(tickHook, nullptr);
    }
    void TearDown() override {
        UnhookWindowsHookEx(tickHook);
    }

    // Opens the About box as the menu command does and runs the script inside it.
    static void ShowWith(const AboutSession::Script& script) {
        AboutSession session(script);
        ShowAbout();
        EXPECT_TRUE(session.ScriptRan());
    }

    static HWND CreditsOf(HWND dialog) {
        return GetDlgItem(dialog, IDC_CREDITS);
    }

    static void Tick(HWND credits, int times = 1) {
        for (int i = 0; i < times; ++i) {
            SendMessageA(credits, WM_TIMER, CreditTimerId, 0);
            UpdateWindow(credits);
        }
    }

    // The tests find the first line by its exact colour: font smoothing, ClearType on Windows,
    // tints only the edges of strokes, and Arial Black's strokes of 26 pixels are wider than that.
    static COLORREF FirstLineColor() {
        return CreditColors[CreditLines[0].color];
    }

    static constexpr int TicksPerLine = CreditRise / CreditStep + 1;
};

TEST_F(AboutCredits, OpensOverTheDisabledMainWindowOnAnAllBlackFieldAtLineZero) {
    ShowWith([](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), mainWindow);
        EXPECT_FALSE(IsWindowEnabled(mainWindow));
        HWND credits = CreditsOf(dialog);
        ASSERT_NE(credits, nullptr);
        EXPECT_TRUE(IsCreditsWindow(credits));
        EXPECT_EQ(creditIndex, 0);
        EXPECT_EQ(creditScroll, 0);
        const CreditPixels field(credits);
        EXPECT_GT(field.width, 100);
        EXPECT_GT(field.height, 60);
        EXPECT_TRUE(field.AllBlack());
    });
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

TEST_F(AboutCredits, TheFirstLineRisesFromTheBottomEdgeTwoPixelsATickCentred) {
    ASSERT_NE(FirstLineColor(), RGB(0, 0, 0));
    ShowWith([](HWND dialog) {
        HWND credits = CreditsOf(dialog);
        const COLORREF color = FirstLineColor();
        int lastTop = -1;
        for (int tick = 1; tick < TicksPerLine; ++tick) {
            Tick(credits);
            EXPECT_EQ(creditIndex, 0);
            EXPECT_EQ(creditScroll, CreditStep * tick);
            const CreditPixels now(credits);
            const int top = now.TopRowOf(color);
            if (top >= 0 && lastTop < 0) {
                EXPECT_GE(top, now.height - CreditStep) << "first seen at tick " << tick;
            } else if (top >= 0) {
                EXPECT_EQ(top, lastTop - CreditStep) << "tick " << tick;
            }
            lastTop = top;
        }
        ASSERT_GE(lastTop, 0) << "the line is in view after its rise";

        const CreditPixels risen(credits);
        EXPECT_GE(lastTop, risen.height - CreditRise);
        const int middle = (risen.LeftColumnOf(color) + risen.RightColumnOf(color)) / 2;
        EXPECT_NEAR(middle, risen.width / 2, 3);

        // One more tick chooses the next line, which starts below the edge; the first keeps
        // moving up.
        Tick(credits);
        EXPECT_EQ(creditIndex, 1);
        EXPECT_EQ(creditScroll, 0);
        EXPECT_EQ(CreditPixels(credits).TopRowOf(color), lastTop - CreditStep);
    });
}

TEST_F(AboutCredits, EveryTickMovesEverythingShownUpTwoPixelsAndNothingIsErased) {
    ShowWith([](HWND dialog) {
        HWND credits = CreditsOf(dialog);
        CreditPixels before(credits);
        int colouredFrames = 0;
        for (int tick = 1; tick <= CreditLineCount * TicksPerLine; ++tick) {
            Tick(credits);
            CreditPixels after(credits);
            // The rising line is drawn again over its own rows on every tick, and anti-aliased
            // ink that slants out of its box (italics) darkens there; above it, everything is
            // what the last tick showed, two rows higher.
            const int above = std::min(after.height - CreditStep, after.height - creditScroll);
            const std::string moved = after.MovedUpFrom(before, CreditStep, above);
            ASSERT_EQ(moved, "") << "tick " << tick << ", line " << creditIndex;
            colouredFrames += after.AllBlack() ? 0 : 1;
            before = std::move(after);
        }
        EXPECT_GT(colouredFrames, CreditLineCount * TicksPerLine / 2);
    });
}

TEST_F(AboutCredits, AfterLine21TheCreditsWrapToLine0AndTheTerminatorIsNeverDrawn) {
    ShowWith([](HWND dialog) {
        HWND credits = CreditsOf(dialog);
        std::vector<int> order;   // lines in the order they start
        std::vector<int> changes; // ticks at which a new line starts
        for (int tick = 1; tick <= CreditLineCount * TicksPerLine; ++tick) {
            const int previous = creditIndex;
            SendMessageA(credits, WM_TIMER, CreditTimerId, 0);
            ASSERT_GE(creditIndex, 0);
            ASSERT_LT(creditIndex, CreditLineCount) << "tick " << tick;
            ASSERT_NE(CreditLines[creditIndex].text[0], '\0') << "tick " << tick;
            UpdateWindow(credits);
            if (creditIndex != previous) {
                order.push_back(creditIndex);
                changes.push_back(tick);
            }
        }
        EXPECT_EQ(creditIndex, 0);
        EXPECT_EQ(creditScroll, 0);
        ASSERT_EQ(order.size(), static_cast<size_t>(CreditLineCount));
        for (size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(order[i], static_cast<int>((i + 1) % CreditLineCount));
            EXPECT_EQ(changes[i], static_cast<int>(i + 1) * TicksPerLine) << "each line 16 ticks";
        }

        // And the first line comes up from the bottom edge again.
        Tick(credits, TicksPerLine - 1);
        const CreditPixels again(credits);
        EXPECT_GE(again.TopRowOf(FirstLineColor()), again.height - CreditRise);
    });
}

TEST_F(AboutCredits, MovingTheDialogRestartsTheCreditsOnABlackWindow) {
    ShowWith([](HWND dialog) {
        HWND credits = CreditsOf(dialog);
        Tick(credits, 3 * TicksPerLine);
        ASSERT_FALSE(CreditPixels(credits).AllBlack());

        RECT frame;
        GetWindowRect(dialog, &frame);
        SetWindowPos(dialog, nullptr, frame.left + 16, frame.top + 8, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(creditIndex, 0);
        EXPECT_EQ(creditScroll, 0);
        UpdateWindow(credits);
        EXPECT_TRUE(CreditPixels(credits).AllBlack());

        Tick(credits, TicksPerLine - 1);
        const CreditPixels restarted(credits);
        EXPECT_GE(restarted.TopRowOf(FirstLineColor()), restarted.height - CreditRise);
    });
}

TEST_F(AboutCredits, AnActivationChangeEitherWayRestartsTheCredits) {
    ShowWith([](HWND dialog) {
        HWND credits = CreditsOf(dialog);
        for (WPARAM state : {WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE}) {
            Tick(credits, 2 * TicksPerLine + 5);
            ASSERT_FALSE(CreditPixels(credits).AllBlack());
            SendMessageA(dialog, WM_ACTIVATE, state, 0);
            EXPECT_EQ(creditIndex, 0) << "state " << state;
            EXPECT_EQ(creditScroll, 0) << "state " << state;
            UpdateWindow(credits);
            EXPECT_TRUE(CreditPixels(credits).AllBlack()) << "state " << state;
        }
    });
}

TEST_F(AboutCredits, ALineWiderThanTheWindowStartsAtItsLeftEdge) {
    ShowWith([](HWND dialog) {
        HWND credits = CreditsOf(dialog);
        const COLORREF color = FirstLineColor();
        Tick(credits, TicksPerLine - 1);
        const CreditPixels wide(credits);
        const int wideLeft = wide.LeftColumnOf(color);
        // "W i n d o w s" is about 130 pixels of the 278 of the credits window, under Wine and by
        // Arial Black's widths on Windows: far from either edge here, far wider than 30 below.
        ASSERT_GT(wideLeft, 10) << "the line is centred in the full window";

        constexpr int NarrowWidth = 30;
        SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
        SetWindowPos(credits, nullptr, 0, 0, NarrowWidth, wide.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(credits);
        Tick(credits, TicksPerLine - 1);
        const CreditPixels narrow(credits);
        ASSERT_EQ(narrow.width, NarrowWidth);
        const int narrowLeft = narrow.LeftColumnOf(color);
        ASSERT_GE(narrowLeft, 0);
        EXPECT_LE(narrowLeft, 4) << "only the first letter's own margin is left of it";
        // The window shows the line's beginning, exactly as the wide window drew it.
        const int shift = wideLeft - narrowLeft;
        for (int y = narrow.height - CreditRise; y < narrow.height; ++y) {
            for (int x = 0; x < NarrowWidth; ++x) {
                ASSERT_EQ(narrow.At(x, y), wide.At(x + shift, y)) << x << ", " << y;
            }
        }
    });
}

// Ways the player closes the box, each acting through the dialog's own message handling.
struct CloseWay {
    const char* name;
    void (*act)(HWND dialog);
};

void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    HWND target = (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

const CloseWay closeWays[] = {
    {"Enter", [](HWND dialog) { PressKey(dialog, VK_RETURN); }},
    {"Escape", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }},
    {"the OK button", [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }},
    {"the close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

using AboutClosing = AboutCredits;

TEST_F(AboutClosing, EnterEscapeOkAndTheCloseBoxEachEndTheDialogWithResultZero) {
    for (const CloseWay& way : closeWays) {
        AboutSession session([&](HWND dialog) {
            Tick(CreditsOf(dialog), 20);
            way.act(dialog);
        });
        EXPECT_EQ(session.RunDialog(), 0) << way.name;
        EXPECT_TRUE(session.ScriptRan()) << way.name;
        EXPECT_FALSE(session.ClosedBySession()) << way.name << " left the dialog open";
    }
}

TEST_F(AboutClosing, ACommandWithANonZeroNotificationRestartsInsteadOfClosing) {
    for (WORD notification : {WORD{1}, WORD{BN_DOUBLECLICKED}}) {
        AboutSession session([&](HWND dialog) {
            HWND credits = CreditsOf(dialog);
            Tick(credits, 2 * TicksPerLine);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, notification),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            EXPECT_EQ(creditIndex, 0);
            EXPECT_EQ(creditScroll, 0);
            UpdateWindow(credits);
            EXPECT_TRUE(CreditPixels(credits).AllBlack());
        });
        EXPECT_EQ(session.RunDialog(), 0);
        EXPECT_TRUE(session.ClosedBySession()) << "notification " << notification;
    }
}

// The credits window's own timer, watched as its messages leave the queue.
struct TimerWatch {
    std::vector<WPARAM> ids;
    std::vector<int> scrolls; // creditScroll as each tick is about to be handled
    HWND dialog = nullptr;
    bool gaveUp = false;
};
TimerWatch watch;

LRESULT CALLBACK WatchCreditTicks(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    // Counted from the moment the box is open and painted.
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_TIMER &&
        watch.dialog != nullptr && IsCreditsWindow(message->hwnd) && watch.ids.size() < 3) {
        watch.ids.push_back(message->wParam);
        watch.scrolls.push_back(creditScroll);
        if (watch.ids.size() == 3) {
            PostMessageA(GetParent(message->hwnd), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    watch.gaveUp = true;
    EndDialog(watch.dialog, 0);
}

TEST(AboutTimer, TheCreditsRiseOnTheirWindowsOwnTimerOne) {
    watch = TimerWatch{};
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchCreditTicks, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    // Only a safety net: a dialog whose timer never ticks is closed, and the test fails.
    const UINT_PTR safetyNet = SetTimer(nullptr, 0, 10000, GiveUp);
    AboutSession session([](HWND dialog) { watch.dialog = dialog; }, false);
    EXPECT_EQ(session.RunDialog(), 0);
    KillTimer(nullptr, safetyNet);
    UnhookWindowsHookEx(hook);

    EXPECT_FALSE(watch.gaveUp);
    ASSERT_EQ(watch.ids.size(), 3u);
    for (WPARAM id : watch.ids) {
        EXPECT_EQ(id, CreditTimerId);
    }
    EXPECT_EQ(watch.scrolls[1], watch.scrolls[0] + CreditStep);
    EXPECT_EQ(watch.scrolls[2], watch.scrolls[1] + CreditStep);
}

} // namespace
