// The main window's geometry on one screen: the size at which the bricks are drawn, where the
// window goes, where its controls lie and every length the painters use. Plain numbers in and out,
// so that each screen a player may have is a row of a table.
//
// The player's sizes are pixels at 100 % (96 DPI); every length scales by DPI / 96, rounded to the
// nearest pixel. Only this copy of the brick size shrinks when the window would not fit.
#pragma once

// Lengths at 96 DPI.
constexpr int ButtonHeight = 25;
constexpr int PreviewSize = 40;
constexpr int TopBandHeight =
    ButtonHeight + PreviewSize;  // the buttons over score panel and preview
constexpr int CreditStep = 2;    // pixels a credit line rises a tick
constexpr int CreditRise = 30;   // pixels it rises before the next line starts
constexpr int SmallestBrick = 6; // pixels; bricks never shrink further

struct Box {
    int x;
    int y;
    int width;
    int height;
};

// What the system adds around the client area at the window's DPI.
struct FrameMetrics {
    int left, top, right, bottom; // borders, caption and a menu bar of one line
    int menuLine;                 // the height each further line of the menu bar adds
    int menuWidth;                // the width the menu bar's items take on one line
    int minWidth;                 // the narrowest window the system makes
};

enum class Placement {
    Centred,  // in the work area, as at start-up
    Kept,     // at the given corner while the window fits the work area there, else centred
    MovedInto // at the given corner, moved into the work area as far as needed
};

struct LayoutRequest {
    int brkWidth, brkHeight, perLine, perColumn; // the player's sizes
    int dpi;
    Box workArea; // of the window's monitor, in screen coordinates
    FrameMetrics frame;
    Placement placement = Placement::Centred;
    int x = 0; // the window's corner, for Kept and MovedInto
    int y = 0;
};

// The defaults are the layout at 96 DPI, which the painters use before the first layout.
struct WindowLayout {
    int dpi = 96;
    int brickWidth = 15;
    int brickHeight = 15;
    bool shrunk = false; // the bricks are smaller than the player's at this DPI, to fit the screen
    Box window = {};     // on the screen
    int glassWidth = 150;
    int glassTop = TopBandHeight; // the band of buttons, score panel and preview above the glass
    int glassHeight = 300;
    Box resetButton = {}, pauseButton = {}, scorePanel = {}, previewPanel = {};
    bool longLabels = true; // "Reset", "Pause" and "Unpause" rather than their first letters
    bool showsScore = true; // a narrower glass leaves the score panel blank
    int bevel = 2;          // thickness of a brick's light and dark edges
    int previewArea = 35;   // the 5 x 5 picture, centred in the preview
    int previewPitch = 7;
    int previewSquare = 6;
    int panelFont = 18; // font heights
    int bigCreditFont = 26;
    int smallCreditFont = 20;
    int creditStep = CreditStep;
    int creditRise = CreditRise;
};

int ScaleToDpi(int length, int dpi);

WindowLayout PlanLayout(const LayoutRequest& request);

// The brick size shown, in the player's own units; true when the bricks shrank to fit the screen.
bool ShownBrickSize(const WindowLayout& layout, int* width, int* height);
