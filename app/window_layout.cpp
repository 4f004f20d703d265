#include "app/window_layout.h"

#include <algorithm>

namespace {

constexpr int LongLabelWidth = 150; // glass width from which the labels are words
constexpr int ScoreWidth = 100;     // glass width from which the score shows

struct Frame {
    int width;
    int height;
    int clientWidth;
};

// The window around a glass of these bricks. A client area narrower than the menu bar's items
// wraps them onto a second line, which the window must add to keep the glass whole.
Frame FrameFor(const LayoutRequest& request, int glassTop, int brickWidth, int brickHeight) {
    const FrameMetrics& frame = request.frame;
    const int sides = frame.left + frame.right;
    const int clientWidth = std::max(request.perLine * brickWidth, frame.minWidth - sides);
    const int extraMenuLine = clientWidth < frame.menuWidth ? frame.menuLine : 0;
    return {clientWidth + sides,
            frame.top + extraMenuLine + frame.bottom + glassTop + request.perColumn * brickHeight,
            clientWidth};
}

bool Fits(const Frame& frame, const Box& work) {
    return frame.width <= work.width && frame.height <= work.height;
}

// Centred on an axis where the window fits, at the area's start where it does not.
int Centre(int start, int area, int length) {
    return length > area ? start : start + (area - length) / 2;
}

// As far into the area as the window's length allows, never before its start.
int MoveInto(int position, int start, int area, int length) {
    return std::max(start, std::min(position, start + area - length));
}

Box Place(const LayoutRequest& request, const Frame& frame) {
    const Box& work = request.workArea;
    const Box centred = {Centre(work.x, work.width, frame.width),
                         Centre(work.y, work.height, frame.height), frame.width, frame.height};
    switch (request.placement) {
    case Placement::Kept: {
        const bool inside = request.x >= work.x && request.y >= work.y &&
                            request.x + frame.width <= work.x + work.width &&
                            request.y + frame.height <= work.y + work.height;
        return inside ? Box{request.x, request.y, frame.width, frame.height} : centred;
    }
    case Placement::MovedInto:
        return {MoveInto(request.x, work.x, work.width, frame.width),
                MoveInto(request.y, work.y, work.height, frame.height), frame.width, frame.height};
    case Placement::Centred:
    default:
        return centred;
    }
}

} // namespace

int ScaleToDpi(int length, int dpi) {
    return (length * dpi + 48) / 96;
}

WindowLayout PlanLayout(const LayoutRequest& request) {
    const auto scale = [&](int length) { return ScaleToDpi(length, request.dpi); };
    WindowLayout layout;
    layout.dpi = request.dpi;
    const int buttonHeight = scale(ButtonHeight);
    const int previewSize = scale(PreviewSize);
    layout.glassTop = buttonHeight + previewSize;

    // The largest bricks, up to the player's at this DPI, whose window fits the work area. Both
    // sides shrink by one factor, so square bricks stay square; the glass keeps its rows and
    // columns. Where not even the smallest fit, the smallest are used.
    const int fullWidth = std::max(SmallestBrick, scale(request.brkWidth));
    const int fullHeight = std::max(SmallestBrick, scale(request.brkHeight));
    const int larger = std::max(fullWidth, fullHeight);
    Frame frame = {};
    for (int step = larger; step > 0; --step) {
        layout.brickWidth = std::max(SmallestBrick, fullWidth * step / larger);
        layout.brickHeight = std::max(SmallestBrick, fullHeight * step / larger);
        frame = FrameFor(request, layout.glassTop, layout.brickWidth, layout.brickHeight);
        if (Fits(frame, request.workArea)) {
            break;
        }
    }
    layout.shrunk = layout.brickWidth != fullWidth || layout.brickHeight != fullHeight;
    layout.window = Place(request, frame);

    const int w = request.perLine * layout.brickWidth;
    layout.glassWidth = w;
    layout.glassHeight = request.perColumn * layout.brickHeight;
    const int previewLeft = std::max(0, w - previewSize);
    layout.resetButton = {0, 0, w / 2, buttonHeight};
    layout.pauseButton = {w / 2, 0, w - w / 2, buttonHeight};
    layout.scorePanel = {0, buttonHeight, previewLeft, previewSize};
    layout.previewPanel = {previewLeft, buttonHeight, previewSize, previewSize};
    layout.longLabels = w >= scale(LongLabelWidth);
    layout.showsScore = w >= scale(ScoreWidth);

    // The painters' lengths are the record's 96-DPI defaults, scaled; edges take a third of the
    // brick at most, so that the smallest bricks keep a face.
    const WindowLayout at96;
    layout.bevel =
        std::max(1, std::min({scale(at96.bevel), layout.brickWidth / 3, layout.brickHeight / 3}));
    layout.previewArea = scale(at96.previewArea);
    layout.previewPitch = scale(at96.previewPitch);
    layout.previewSquare = scale(at96.previewSquare);
    layout.panelFont = scale(at96.panelFont);
    layout.bigCreditFont = scale(at96.bigCreditFont);
    layout.smallCreditFont = scale(at96.smallCreditFont);
    // A credit line takes the same ticks at every DPI.
    layout.creditStep = scale(CreditStep);
    layout.creditRise = CreditRise / CreditStep * layout.creditStep;
    return layout;
}

bool ShownBrickSize(const WindowLayout& layout, int* width, int* height) {
    // In the units of the Options dialog, so that the size named is one the player can type.
    *width = std::max(SmallestBrick, layout.brickWidth * 96 / layout.dpi);
    *height = std::max(SmallestBrick, layout.brickHeight * 96 / layout.dpi);
    return layout.shrunk;
}
