#pragma once
// Measures of an aircraft's report stream that ground movement and flight
// read when a block is reached: whether the blocks ahead are fast enough to
// lift off, how far the leg after the next turns away from the heading, the
// speed of the leg being flown, and the bank step into a turn. Worker
// thread only.

#include <cstdint>

#include "traffic/aircraft_records.h"

// True when every block after the front flies at least the category's
// lift-off speed (Light 90, Buzjets 110, Large 140, Heavy 150, HighPerf
// 220, Rotorcraft 0 kt). std::out_of_range for a category the table lacks.
bool lf_allAtLiftOffSpeed(const LiveAc& aircraft);

// The initial bearing from the second to the third block less the
// aircraft's heading, in -pi..pi; 0.0 with fewer than three blocks.
double lf_headingChangeAhead(const LiveAc& aircraft);

// The mean ground speed of the front and second block; when both are 0,
// their distance over their playback-tick gap (at least 25 ticks); never
// below 1.0 kt, so that no leg is timed by a speed of 0. Needs two blocks.
double lf_streamSpeed(const LiveAc& aircraft);

// The bank into a turn: the target bank is the turn (radians of heading
// change) held within the category's largest bank either way, with its sign
// changed; the step reaches it in the ticks, but never changes the bank by
// more than the category's limit per tick (Light 0.035, Buzjets 0.0275,
// Large 0.02, Heavy 0.015, HighPerf 0.1, Rotorcraft 0.06 degrees).
//
// Worked example: a Large aircraft flying level turns 10 degrees in 500
// ticks: the target bank is -10 degrees, the step -0.02 degrees per tick
// (-10 / 500), just within the limit. In 250 ticks it would be -0.04,
// held at -0.02.
void lf_setBankStep(LiveAc& aircraft, double turnRad, std::int32_t ticks);
