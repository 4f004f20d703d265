// Brick images, glass painting, the score panel and the preview, drawn into a window of the test's
// own that stands in for the main window, and read back pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/shell_state.h"
#include "display/bricks.h"
#include "display/glass_painting.h"
#include "fatal_box.h"
#include "foreground.h"
#include "game/figure.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/turn.h"
#include "pixels.h"
#include "settings/settings.h"
#include "tests/unit/glass_picture.h"

namespace {

// The glass of the tests: bricks wider than high, so that rows and columns cannot be mixed up.
constexpr int Columns = 10;
constexpr int Rows = 8;
constexpr int BrickWidth = 12;
constexpr int BrickHeight = 10;
constexpr int GlassWidth = Columns * BrickWidth;
constexpr int GlassTop = 65;
constexpr int ClientHeight = GlassTop + Rows * BrickHeight;

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
// In the fixed part of every palette, and neither a brick colour nor the glass background, so
// at every depth it shows which pixels a paint left alone.
constexpr COLORREF Scribble = RGB(128, 128, 0);
constexpr COLORREF Background = RGB(0, 64, 128);

constexpr char TestWindowClass[] = "DisplayTestWindow";

int ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bitsPerPixel;
}

// Windows 8 and later always run the screen at 32 bits per pixel, so there the bevelled cases run
// and the flat ones skip; display_tests_8bpp runs the flat ones on Wine's 8-bit screen. At 15 or
// 16 bits, which neither offers, the exact colours these tests compare would be rounded.
bool FlatDisplay() {
    return ScreenBitsPerPixel() <= 8;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\n';
    }
    return text;
}

// One character a pixel: one for each of the given colours, '?' for any other.
std::string Picture(const Pixels& pixels, const std::vector<std::pair<char, COLORREF>>& legend) {
    std::string text;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            char shown = '?';
            for (const auto& [name, color] : legend) {
                if (pixels.At(x, y) == color) {
                    shown = name;
                    break;
                }
            }
            text += shown;
        }
        text += '\n';
    }
    return text;
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintGlass(window);
        return 0;
    case WM_DRAWITEM:
        DrawPreview(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterTestWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = TestWindowClass;
    RegisterClassA(&windowClass);
}

// A borderless stand-in for the main window, laid out as the real one: the score panel and the
// preview in the top band, the glass below it, at the top-left corner of the screen.
class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseGlass(Columns, Rows);
        windowLayout.brickWidth = BrickWidth;
        windowLayout.brickHeight = BrickHeight;
        settings->ClientWidth = GlassWidth;
        settings->ClientHeight = ClientHeight;
        settings->GlassBackgrColor = Background;
        settings->FiguresSetSize = 11;
        paused = 0;
        score = 0;
        nextKind = 0;
        nextRotation = 0;

        RegisterTestWindowClass();
        window =
            CreateWindowExA(0, TestWindowClass, "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, GlassWidth,
                            ClientHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        mainWindow = window;
        scorePanel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 25,
                                     GlassWidth - PreviewSize, PreviewSize, window, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        previewPanel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW,
                                       GlassWidth - PreviewSize, 25, PreviewSize, PreviewSize,
                                       window, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(scorePanel, nullptr);
        ASSERT_NE(previewPanel, nullptr);
        BuildBrickImages();
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }

    void TearDown() override {
        if (other != nullptr) {
            DestroyWindow(other);
        }
        DestroyWindow(window);
        mainWindow = nullptr;
        scorePanel = nullptr;
        previewPanel = nullptr;
        MSG stale;
        while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // What the system does when the rules ask for a repaint and the pump hands on WM_PAINT.
    void Paint() {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }

    void PaintEveryCell() {
        MarkAllForRepaint();
        Paint();
    }

    // Covers the glass with a colour that no paint uses.
    void ScribbleOverGlass() {
        HDC dc = GetDC(window);
        HBRUSH brush = CreateSolidBrush(Scribble);
        const RECT glassArea = {0, GlassTop, GlassWidth, ClientHeight};
        FillRect(dc, &glassArea, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
    }

    // Another top-level window of this program, beside the glass, takes the foreground.
    ::testing::AssertionResult BringAnotherWindowToTheForeground() {
        other = CreateWindowExA(0, TestWindowClass, "", WS_POPUP | WS_VISIBLE, 400, 0, 50, 50,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        return TakeForeground(other);
    }

    // The glass as it shows on the screen, a character a cell: the colour digit of a brick,
    // '.' the empty glass, 's' the scribble a paint did not touch, '?' anything else.
    std::string GlassOnScreen() const {
        const Pixels screen = OfWindow(window);
        const bool flat = FlatDisplay();
        std::vector<Pixels> images;
        for (const BrickColor& entry : BrickColorTable) {
            images.push_back(OfBitmap(entry.bitmap));
        }
        std::string text;
        for (int r = 0; r < Rows; ++r) {
            for (int c = 0; c < Columns; ++c) {
                const int left = c * BrickWidth;
                const int top = GlassTop + r * BrickHeight;
                auto cellIs = [&](auto expected) {
                    for (int y = 0; y < BrickHeight; ++y) {
                        for (int x = 0; x < BrickWidth; ++x) {
                            if (screen.At(left + x, top + y) != expected(x, y)) {
                                return false;
                            }
                        }
                    }
                    return true;
                };
                char shown = '?';
                if (cellIs([](int, int) { return Scribble; })) {
                    shown = 's';
                } else if (cellIs([&](int, int) { return flat ? Black : Background; })) {
                    shown = '.';
                }
                for (int color = 0; color < BrickColorCount && shown == '?'; ++color) {
                    const COLORREF flatColor = BrickColorTable[color].flatColor;
                    const bool match =
                        flat ? cellIs([&](int x, int y) {
                            const bool outline =
                                x == 0 || y == 0 || x == BrickWidth - 1 || y == BrickHeight - 1;
                            return outline ? White : flatColor;
                        })
                             : cellIs([&](int x, int y) { return images[color].At(x, y); });
                    if (match) {
                        shown = static_cast<char>('0' + color);
                    }
                }
                text += shown;
            }
            text += '\n';
        }
        return text;
    }

    HWND window = nullptr;
    HWND other = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Brick images

class BrickImages : public DisplayTest {
  protected:
    // The image of an entry as L (light edge), D (dark edge) and F (face).
    static std::string ImageOf(int entry, COLORREF face, COLORREF light, COLORREF dark) {
        return Picture(OfBitmap(BrickColorTable[entry].bitmap),
                       {{'F', face}, {'L', light}, {'D', dark}});
    }

    void Build(int width, int height) {
        windowLayout.brickWidth = width;
        windowLayout.brickHeight = height;
        BuildBrickImages();
    }
};

TEST_F(BrickImages, ASixBySixBrickHasTwoPixelEdgesAroundATwoByTwoFace) {
    if (FlatDisplay()) {
        GTEST_SKIP() << "bevelled images need more than 8 bits per pixel";
    }
    Build(6, 6);
    EXPECT_EQ(ImageOf(2, RGB(0, 100, 255), RGB(127, 177, 255), RGB(0, 50, 127)),
              Lines({"LLLLLL", //
                     "LLLLLD", //
                     "LLFFDD", //
                     "LLFFDD", //
                     "LLDDDD", //
                     "LDDDDD"}));
}

TEST_F(BrickImages, ATenBySixBrickShowsItsFaceOnlyInRowsTwoAndThree) {
    if (FlatDisplay()) {
        GTEST_SKIP() << "bevelled images need more than 8 bits per pixel";
    }
    Build(10, 6);
    EXPECT_EQ(ImageOf(5, RGB(255, 100, 0), RGB(255, 177, 127), RGB(127, 50, 0)),
              Lines({"LLLLLLLLLL", //
                     "LLLLLLLLLD", //
                     "LLFFFFFFDD", //
                     "LLFFFFFFDD", //
                     "LLDDDDDDDD", //
                     "LDDDDDDDDD"}));
}

TEST_F(BrickImages, EdgesGoHalfwayToWhiteAndHalfwayToBlackRoundingDown) {
    if (FlatDisplay()) {
        GTEST_SKIP() << "bevelled images need more than 8 bits per pixel";
    }
    Build(6, 6);
    struct Expected {
        int entry;
        COLORREF face, light, dark;
    };
    // A channel of 255 stays 255 in the light edge and becomes 127 in the dark one; 0 becomes 127
    // in the light edge and stays 0 in the dark one; odd sums round down.
    const Expected cases[] = {
        {0, RGB(220, 220, 255), RGB(237, 237, 255), RGB(110, 110, 127)},
        {1, RGB(100, 100, 100), RGB(177, 177, 177), RGB(50, 50, 50)},
        {2, RGB(0, 100, 255), RGB(127, 177, 255), RGB(0, 50, 127)},
        {5, RGB(255, 100, 0), RGB(255, 177, 127), RGB(127, 50, 0)},
    };
    for (const Expected& expected : cases) {
        const Pixels image = OfBitmap(BrickColorTable[expected.entry].bitmap);
        EXPECT_EQ(image.At(0, 0), expected.light) << "entry " << expected.entry;
        EXPECT_EQ(image.At(5, 5), expected.dark) << "entry " << expected.entry;
        EXPECT_EQ(image.At(2, 2), expected.face) << "entry " << expected.entry;
    }
}

TEST_F(BrickImages, ARebuildAtAnotherSizeLeavesExactlyEightBitmapsAndEightBrushes) {
    Build(6, 6);
    // Only bitmaps: Windows may hand a deleted brush's handle to the next brush made.
    std::vector<HGDIOBJ> previous;
    for (const BrickColor& entry : BrickColorTable) {
        previous.push_back(entry.bitmap);
    }
    const int liveBefore = GdiObjectCount();
    HBITMAP probe = CreateBitmap(1, 1, 1, 1, nullptr); // no system keeps deleted bitmaps
    ASSERT_EQ(GdiObjectCount(), liveBefore + 1) << "this system's GDI objects cannot be counted";
    DeleteObject(probe);

    // An odd number, the last at the new size.
    const int rebuilds = 1 + 2 * GdiCountSlack();
    for (int i = 0; i < rebuilds; ++i) {
        Build(i % 2 == 0 ? 10 : 6, 6);
    }

    EXPECT_NEAR(GdiObjectCount(), liveBefore, GdiCountSlack());
    for (HGDIOBJ object : previous) {
        EXPECT_EQ(GetObjectType(object), 0u) << "a bitmap of the first build still exists";
    }
    const int displayBits = ScreenBitsPerPixel();
    for (const BrickColor& entry : BrickColorTable) {
        EXPECT_EQ(GetObjectType(entry.brush), static_cast<DWORD>(OBJ_BRUSH));
        BITMAP image = {};
        ASSERT_EQ(GetObjectA(entry.bitmap, sizeof image, &image), static_cast<int>(sizeof image));
        EXPECT_EQ(image.bmWidth, 10);
        EXPECT_EQ(image.bmHeight, 6);
        EXPECT_EQ(image.bmBitsPixel * image.bmPlanes, displayBits)
            << "an image is not in the display's colour format";
    }
}

// ---------------------------------------------------------------------------------------------
// Glass painting

using GlassPainting = DisplayTest;

TEST_F(GlassPainting, InTheForegroundAPaintAfterAFigureMoveRedrawsOnlyTheCellsTheMoveFlagged) {
    ASSERT_TRUE(TakeForeground(window));
    SetGlass({"2......555", //
              "22.4444555"});
    Figure falling{};
    falling.Init(1, 0); // colour 3: "  xx ", "  x  ", "  x  " from picture row 1
    falling.Stamp();
    PaintEveryCell();
    ScribbleOverGlass();
    ASSERT_EQ(GetForegroundWindow(), window);

    falling.MoveTo(falling.column - 1); // asks for the repaint itself
    UpdateWindow(window);

    EXPECT_EQ(GlassOnScreen(), Lines({"ssssssssss", //
                                      "sss33.ssss", //
                                      "sss3.sssss", //
                                      "sss3.sssss", //
                                      "ssssssssss", //
                                      "ssssssssss", //
                                      "ssssssssss", //
                                      "ssssssssss"}));
    EXPECT_EQ(RepaintPicture(), Lines(std::vector<std::string>(Rows, "0000000000")));
}

TEST_F(GlassPainting, WithAnotherWindowInTheForegroundEveryPaintRedrawsEveryUsedCell) {
    SetGlass({"..3.......", //
              "2......555", //
              "22.4444555"});
    PaintEveryCell();
    ASSERT_TRUE(BringAnotherWindowToTheForeground());
    ScribbleOverGlass();
    glass->cells[0][0].repaint = 1;

    Paint();
    EXPECT_EQ(GlassOnScreen(), GlassPicture());
    EXPECT_EQ(RepaintPicture(), Lines(std::vector<std::string>(Rows, "0000000000")));

    ScribbleOverGlass();
    Paint();
    EXPECT_EQ(GlassOnScreen(), GlassPicture()) << "a second paint redraws everything again";
}

TEST_F(GlassPainting, WhilePausedEveryPaintLeavesTheGlassBlackAndTheFlagsAsTheyWere) {
    ASSERT_TRUE(TakeForeground(window)); // in the background, the paint after the pause draws all
    SetGlass({"2......555",              //
              "22.4444555"});
    PaintEveryCell();
    ScribbleOverGlass();
    glass->cells[6][0].repaint = 1;
    glass->cells[7][9].repaint = 1;
    const std::string flagged = RepaintPicture();
    paused = 1;

    Paint();
    Paint();

    const Pixels screen = OfWindow(window);
    int notBlack = 0;
    for (int y = GlassTop; y < ClientHeight; ++y) {
        for (int x = 0; x < GlassWidth; ++x) {
            notBlack += screen.At(x, y) != Black ? 1 : 0;
        }
    }
    EXPECT_EQ(notBlack, 0);
    EXPECT_EQ(RepaintPicture(), flagged);

    // What was flagged during the pause is drawn by the first paint after it.
    paused = 0;
    ScribbleOverGlass();
    Paint();
    EXPECT_EQ(GlassOnScreen(), Lines({"ssssssssss", //
                                      "ssssssssss", //
                                      "ssssssssss", //
                                      "ssssssssss", //
                                      "ssssssssss", //
                                      "ssssssssss", //
                                      "2sssssssss", //
                                      "sssssssss5"}));
}

TEST_F(GlassPainting, AboveEightBitsEmptyCellsTakeTheBackgroundColourAndBricksTheirImages) {
    if (FlatDisplay()) {
        GTEST_SKIP() << "this display has 8 bits per pixel or fewer";
    }
    SetGlass({"01234567..", //
              "..........", //
              "7.6.5.4.3."});
    ScribbleOverGlass();
    PaintEveryCell();
    EXPECT_EQ(GlassOnScreen(), GlassPicture());
    const Pixels screen = OfWindow(window);
    EXPECT_EQ(screen.At(1, ClientHeight - 1), RGB(100, 127, 0)) << "dark edge of colour 7";
    EXPECT_EQ(screen.At(GlassWidth - 1, GlassTop), Background);
}

TEST_F(GlassPainting, AtEightBitsOrFewerEmptyCellsAreBlackAndBricksFlatInAWhiteOutline) {
    if (!FlatDisplay()) {
        GTEST_SKIP() << "this display has more than 8 bits per pixel";
    }
    settings->GlassBackgrColor = RGB(128, 0, 0); // would show, were it used
    SetGlass({"01234567..",                      //
              "..........",                      //
              "7.6.5.4.3."});
    ScribbleOverGlass();
    PaintEveryCell();
    EXPECT_EQ(GlassOnScreen(), GlassPicture());
    const Pixels screen = OfWindow(window);
    const int left = 4 * BrickWidth; // the red brick of the bottom row
    const int top = GlassTop + 7 * BrickHeight;
    EXPECT_EQ(screen.At(left, top), White);
    EXPECT_EQ(screen.At(left + BrickWidth - 1, top + BrickHeight - 1), White);
    EXPECT_EQ(screen.At(left + 1, top + 1), RGB(255, 0, 0));
    EXPECT_EQ(screen.At(left + BrickWidth - 2, top + BrickHeight - 2), RGB(255, 0, 0));
    EXPECT_EQ(screen.At(left + BrickWidth, top + 1), Black) << "the empty cell to its right";
}

TEST_F(GlassPainting, PaintsReleaseEveryDrawingObjectTheyMake) {
    SetGlass({"2......555", //
              "22.4444555"});
    auto paintEachWay = [this] {
        PaintEveryCell();
        paused = 1;
        Paint();
        paused = 0;
        InvalidateRect(previewPanel, nullptr, FALSE);
        UpdateWindow(previewPanel);
        UpdateScorePanel();
        UpdateWindow(scorePanel);
    };
    paintEachWay(); // the system makes some objects of its own at the first use
    const int liveBefore = GdiObjectCount();

    for (int i = 0; i < 5 + 2 * GdiCountSlack(); ++i) {
        paintEachWay();
    }

    EXPECT_NEAR(GdiObjectCount(), liveBefore, GdiCountSlack());
}

// ---------------------------------------------------------------------------------------------
// Score panel

class ScorePanel : public DisplayTest {
  protected:
    static std::string PanelText() {
        char text[64] = {};
        GetWindowTextA(scorePanel, text, sizeof text);
        return text;
    }
};

TEST_F(ScorePanel, AtTheStartOfAGameReadsScoreOverZero) {
    score = 0;
    UpdateScorePanel();
    EXPECT_EQ(PanelText(), "Score:\n0");
}

TEST_F(ScorePanel, AGlassTooNarrowForTheScoreLeavesThePanelEmpty) {
    score = 123456;
    UpdateScorePanel();
    EXPECT_EQ(PanelText(), "Score:\n123456");
    windowLayout.showsScore = false;
    UpdateScorePanel();
    windowLayout.showsScore = true;
    EXPECT_EQ(PanelText(), "");
}

// ---------------------------------------------------------------------------------------------
// Preview

class Preview : public DisplayTest {
  protected:
    // The 40 x 40 control as w (white), . (black), r (red), c (cyan) and ? (anything else).
    std::string Shown(int kind, int rotation) {
        nextKind = kind;
        nextRotation = rotation;
        HDC dc = GetDC(previewPanel);
        HBRUSH scribble = CreateSolidBrush(Scribble);
        const RECT whole = {0, 0, PreviewSize, PreviewSize};
        FillRect(dc, &whole, scribble);
        DeleteObject(scribble);
        ReleaseDC(previewPanel, dc);
        InvalidateRect(previewPanel, nullptr, FALSE);
        UpdateWindow(previewPanel);

        dc = GetDC(previewPanel);
        const Pixels pixels(dc, PreviewSize, PreviewSize);
        ReleaseDC(previewPanel, dc);
        return Picture(
            pixels, {{'w', White}, {'.', Black}, {'r', RGB(255, 0, 0)}, {'c', RGB(0, 255, 255)}});
    }

    // Lines of the picture: count copies of one line each.
    static std::string Repeat(int count, const std::string& line) {
        return Lines(std::vector<std::string>(count, line));
    }

    const std::string frame = std::string(40, 'w');
    const std::string empty = "w" + std::string(38, '.') + "w";
};

TEST_F(Preview, TheTwoBrickBarIsTwoFlatSquaresInPictureRowTwoInsideAWhiteFrame) {
    const std::string bricks = "w........rrrrrr.rrrrrr.................w";
    EXPECT_EQ(Shown(10, 0), Repeat(1, frame) + Repeat(15, empty) + Repeat(6, bricks) +
                                Repeat(17, empty) + Repeat(1, frame));
}

TEST_F(Preview, TheFiveBrickBarsReachFromPixelTwoToPixel35) {
    const std::string across = "w.cccccc.cccccc.cccccc.cccccc.cccccc...w";
    EXPECT_EQ(Shown(9, 1), Repeat(1, frame) + Repeat(15, empty) + Repeat(6, across) +
                               Repeat(17, empty) + Repeat(1, frame));

    const std::string upright = "w...............cccccc.................w";
    std::string column = Repeat(1, frame) + Repeat(1, empty);
    for (int brick = 0; brick < 5; ++brick) {
        column += Repeat(6, upright) + Repeat(1, empty);
    }
    column += Repeat(2, empty) + Repeat(1, frame);
    EXPECT_EQ(Shown(9, 0), column);
}

// ---------------------------------------------------------------------------------------------
// Fatal failures

// The child process that cannot make its brick images; its box is answered by the test below.
constexpr char OversizedBricksSwitch[] = "--oversized-bricks-child";

[[noreturn]] void BuildOversizedBricks() {
    UseGlass(Columns, Rows);
    windowLayout.brickWidth = 1 << 20;
    windowLayout.brickHeight = 1 << 20;
    RegisterTestWindowClass();
    mainWindow = CreateWindowExA(0, TestWindowClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    BuildBrickImages();
    ExitProcess(0);
}

TEST(FatalFailures, ABrickImageThatCannotBeMadeIsReportedFromGlass) {
    const FatalReport report = RunFatalChild(OversizedBricksSwitch);
    ASSERT_TRUE(report.boxShown) << "no error box appeared";
    EXPECT_TRUE(ShowsText(report, "Run-time assertion failed\nFile: Glass\nLine: "))
        << "the box does not name the Glass module:\n"
        << ::testing::PrintToString(report.texts);
    EXPECT_EQ(report.exitCode, static_cast<DWORD>(-1));
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], OversizedBricksSwitch) == 0) {
        BuildOversizedBricks();
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
