#pragma once
// The one-tick move of a live aircraft between two report blocks, run 100
// times a second for every aircraft that does not stand on an unmoved
// block: along its curve or by its per-tick steps, turning toward the
// heading it wants on the ground, and its attitude and altitude (the
// take-off roll, the flare and the pitch coming down after touchdown
// included). No allocation and no lookups. Worker thread only.

#include "traffic/aircraft_records.h"

// One tick of movement. A curve point that cannot be had is logged ("{}
// error in curve at index: {:.2F}") and the aircraft keeps its position
// this tick. The longitude stays in -180..180; a latitude beyond a pole is
// folded back onto the other side of the earth.
void interpolateCurve(LiveAc& aircraft);
