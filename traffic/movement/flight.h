#pragma once
// Flight between report blocks: when an aircraft in the air reaches a
// block, the vertical profile toward the next one (climb limits, the
// descent to a touchdown with the local QNH, no descent near the ground
// unless landing), the pitch from the vertical speed, heading and bank, and
// the lights and configuration by altitude. Worker thread only.
//
// Worked examples of the pitch (negative is nose up): level flight gives
// -3 degrees; a climb of 1200 fpm -3 - 1200 / 600 x 2.2 = -7.4 degrees; a
// climb of 2400 fpm or more -11.8 degrees; a descent of 3000 fpm or more is
// taken at half, 1500 fpm, and gives -3 + 5.5 = 2.5 degrees. The pitch
// moves toward it in the ticks of the leg, at most by the category's pitch
// step per tick (Light 0.01, Buzjets 0.0085, Large 0.0075, Heavy 0.005,
// HighPerf and Rotorcraft 0.03 degrees).
//
// Worked example of the profile: an airliner (largest step 0.6 ft per
// tick) 3000 ft above the ground with the next block 900 ft higher and due
// in 1000 ticks climbs 0.6 ft per tick, not 0.9; the same aircraft 800 ft
// above the ground with the next block 100 ft lower does not descend but
// climbs 0.2 ft per tick (1200 fpm): only a landing aircraft descends
// within 1000 ft of the ground.

#include <cstdint>

#include "traffic/aircraft_records.h"

// An aircraft that is not on the ground reached a block: the front block
// is still in the stream, the second block is the target. Throws
// std::out_of_range for a category the pitch-step table lacks and
// gsl::narrowing_error for a tick count that is no i32.
void nextPosAir(LiveAc& aircraft);

// The front and second block say ground while the aircraft flies: a
// take-off whose first reports still say ground jumps to its first
// airborne block (among the 3rd to the 10th); otherwise the aircraft climbs
// at least 601 fpm, or descends at the landing vertical speed when it lands
// or the stream does not climb. Gear down.
void climbOrDescendToGroundPoint(LiveAc& aircraft);

// When block k-1 (the front is block 0) is airborne: the blocks between the
// front and it are dropped, it is timed by its distance at the stream speed
// and the aircraft climbs toward it at most by its largest step; true.
// False with fewer than k blocks or block k-1 on the ground.
bool skipToAirbornePoint(LiveAc& aircraft, std::size_t k);
