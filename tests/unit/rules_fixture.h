// The common ground of the rules' tests: a fresh glass, settings, figure, game state and host.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "fake_host.h"
#include "game/figure.h"
#include "game/game_cycle.h"
#include "game/glass.h"
#include "game/row_clearing.h"
#include "game/turn.h"
#include "glass_picture.h"
#include "settings/settings.h"

class RulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetHost();
        UseGlass(10, 20);
        figure = &testFigure;
        score = 0;
        fallPeriod = StartFallPeriod;
        nextKind = -1;
        nextRotation = 0;
        softDrop = 0;
        rotateHeld = 0;
        paused = 0;
        userPaused = 0;
        savedPaused = 0;
        autoPauses = 0;
        resetRequested = 0;
        std::srand(1);
    }

    // Puts the falling figure at a place and stamps it, as a turn leaves it.
    void Place(int kind, int rotation, int column, int row) {
        figure->Init(kind, rotation);
        figure->column = column;
        figure->row = row;
        figure->Stamp();
    }

    // Makes the next turn use this figure.
    void NextFigure(int kind, int rotation) {
        nextKind = kind;
        nextRotation = rotation;
    }

    // The exit code with which the action ends the process, or -999 if it returns.
    static int ExitCodeOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const ProcessExit& exit) {
            return exit.code;
        }
        return -999;
    }

    Figure testFigure{};
};
