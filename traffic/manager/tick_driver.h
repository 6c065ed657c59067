#pragma once
// The traffic manager's step, once per 10 ms tick of the main loop: take
// over the simulator link's results, move every live aircraft, release the
// queued commands at their pace, take at most two new reports, build at most
// one create request, and ask for the aircraft in range.

#include <atomic>
#include <cstdint>

#include "records/clock.h"
#include "records/sim_records.h"
#include "traffic/traffic_state.h"

// One tick (worker thread, while the flight runs). Lock order: feed mutex,
// then the command-queue mutex. A report that cannot be taken in is logged
// and dropped; the tick goes on.
void lf_handleAddingStack();
