// A turn: the life of one figure from its choice to its landing, with the keys and the timer.
#pragma once

#include <cstdint>

#include "game/host.h"

constexpr int StartFallPeriod = 600;   // ms, at the start of every game
constexpr int FastestFallPeriod = 130; // ms, the speed-up never goes below it
constexpr int SpeedUpStep = 4;         // ms off the fall period at every landing
constexpr int SoftDropPeriod = 35;     // ms, while Down is held
constexpr int LandingPoints = 40;

// Written by figure steps, landings, cleared rows and a new game.
extern int32_t score;
// The fall timer's period while Down is not held; a new game and every landing write it.
extern int32_t fallPeriod;
// The figure shown in the preview; -1 until a game's first turn chooses one.
extern int32_t nextKind;
extern int32_t nextRotation;
// Down is held: the timer runs at SoftDropPeriod. Written by the turn's filter only.
extern uint8_t softDrop;
// Up was pressed and not yet released: one rotation per press. Written by the turn's filter only.
extern uint8_t rotateHeld;

// Runs one turn. True: the figure landed (or a reset ended the turn) and the game goes on;
// false: the new figure does not fit at the top and the game is over. The quit event ends the
// process from here.
bool PlayTurn();

// Sees every event of the turn before any window does; false ends the turn.
bool TurnFilter(const Event& event);
