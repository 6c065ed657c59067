#pragma once
// Seam: take-off, flight and landing, until they are built; that module
// replaces this file whole. Here an aircraft in the air flies straight to
// its next block: it turns its heading evenly toward the block and climbs
// or descends evenly to the block's altitude, or descends at 601 fpm toward
// a block on the ground; no lights, gear, flaps or throttle, no take-off
// roll and no flare. Worker thread only.

#include "traffic/aircraft_records.h"

// When an aircraft that is not on the ground reaches a block: flying, with
// the steps toward the second block over the ticks until it is due (at
// least 25).
void nextPosAir(LiveAc& aircraft);
