#pragma once
// The configuration of a live aircraft around its take-off, climb and
// approach: gear, flaps, throttle, spoilers and lights, the vertical speed
// of a landing with the local QNH, the altitude step of a lift-off, and the
// start of a taxi-out. Events go through the simulator link's queues.
// Worker thread only.
//
// Only the start of a taxi-out is called from outside movement (the intake
// starts it for a known aircraft); the rest is declared in
// movement_internal.h.

#include "traffic/aircraft_records.h"

// The aircraft leaves for its take-off: departing, idle throttle, spoilers
// in, flaps 1, every light on, lag window 3000 early and 5000 late; a
// towed aircraft doing so is logged ("towed aircraft takes-off? {}"), and
// an aircraft of an airline may teach its stand a soft option.
void lf_startTaxiOut(LiveAc& aircraft);
