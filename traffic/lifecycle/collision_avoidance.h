#pragma once
// Live aircraft on the ground and the static parked aircraft they would
// run into. Called by the run's work cycle. Worker thread only.

#include "traffic/aircraft_records.h"

// Unless the aircraft departs or waits to take off: records its position as
// that of its last check, and removes the first active static aircraft
// (under another callsign) whose stand lies within 1.1 x their two half
// spans of it.
void gf_removeForCollisionAvoidance(LiveAc& aircraft);
