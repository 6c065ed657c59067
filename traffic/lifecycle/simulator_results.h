#pragma once
// The simulator link's results, taken over and applied at the start of
// every tick: created objects go to the created list (and are activated
// there after 200 ticks), removed objects end their records, the ground
// data of live aircraft on the ground keeps their altitude on the ground
// and starts the landing roll at touchdown, the static centre of gravity
// and pitch of a created aircraft are kept, and a refused creation drops
// its aircraft. Worker thread.

#include "traffic/aircraft_records.h"

// Step 1 of every tick. Holds simResultMutex for the whole step (the
// command-queue mutex is taken inside it). The result list is empty
// afterwards, also when a refused livery too many ends the run
// (qrx::UserErrorException 81 passes on).
void gf_processSimResults();

// The touchdown: the pitch returns to the standing pitch over the landing
// rollout, spoilers out and (unless Light) spoilers and throttles on, in
// reverse for aircraft that reverse their thrust; the run's work cycle looks
// at the aircraft again.
void gf_startLandingRoll(LiveAc& aircraft);
