#include "game/turn.h"

#include <cstdlib>

#include "game/figure.h"
#include "game/game_cycle.h"
#include "settings/settings.h"

int32_t score = 0;
int32_t fallPeriod = 0;
int32_t nextKind = 0;
int32_t nextRotation = 0;
uint8_t softDrop = 0;
uint8_t rotateHeld = 0;

namespace {

// Kind first, then rotation, each a fresh number of the standard generator.
void DrawNextFigure() {
    const int setSize = settings->FiguresSetSize;
    if (setSize < 1 || setSize > KindCount) {
        RuntimeAssert("Droppa", __LINE__);
    }
    nextKind = std::rand() % setSize;
    nextRotation = std::rand() % RotationCount;
}

bool KeyPressed(int key) {
    // While Down or Up is held every other move is locked out.
    if (softDrop || rotateHeld) {
        return true;
    }
    switch (key) {
    case KeySpace:
        figure->Drop();
        break;
    case KeyLeft:
        figure->MoveTo(figure->column - 1);
        break;
    case KeyRight:
        figure->MoveTo(figure->column + 1);
        break;
    case KeyUp:
        figure->Rotate();
        rotateHeld = 1;
        break;
    case KeyDown:
        figure->StepDown();
        SetFallTimer(SoftDropPeriod);
        softDrop = 1;
        break;
    default:
        break;
    }
    return true;
}

bool KeyReleased(int key) {
    if (key == KeyUp) {
        rotateHeld = 0;
    } else if (key == KeyDown && softDrop) {
        SetFallTimer(fallPeriod);
        softDrop = 0;
    }
    return true;
}

} // namespace

bool TurnFilter(const Event& event) {
    if (event.kind == EventKind::KeyPressed && event.key == KeyP) {
        TogglePause();
        return true;
    }
    if (paused) {
        return true;
    }
    if (resetRequested) {
        return false;
    }
    switch (event.kind) {
    case EventKind::KeyPressed:
        return KeyPressed(event.key);
    case EventKind::KeyReleased:
        return KeyReleased(event.key);
    case EventKind::TimerTick:
        if (figure->StepDown()) {
            return true;
        }
        softDrop = 0;
        return false; // the landing
    case EventKind::Other:
        break;
    }
    return true;
}

bool PlayTurn() {
    if (nextKind == -1) {
        DrawNextFigure();
    }
    figure->Init(nextKind, nextRotation);
    DrawNextFigure();
    RequestPreviewRepaint();

    // Pictures have blank rows on top: raise the figure so that its top brick enters row 0.
    for (int i = 0; i < 2 && figure->Fits(figure->column, figure->row - 1); ++i) {
        --figure->row;
    }
    if (!figure->Fits(figure->column, figure->row)) {
        return false;
    }
    figure->Stamp();
    SetFallTimer(fallPeriod);
    RequestGlassRepaint();

    if (PumpMessages(TurnFilter)) {
        SaveSettingsAndExit();
    }
    StopFallTimer();
    score += LandingPoints;
    UpdateScorePanel();
    fallPeriod -= SpeedUpStep;
    if (fallPeriod < FastestFallPeriod) {
        fallPeriod = FastestFallPeriod;
    }
    return true;
}
