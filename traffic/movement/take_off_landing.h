#pragma once
// The take-off roll with its rotation and climb-out, and the landing flare
// of a live aircraft: the per-tick steps that the one-tick move runs in
// these two moments. Worker thread only.
//
// Worked example of a take-off, a Large aircraft (rotationTicks 200,
// climbPitchTicks 300, rotation pitch about -6 and climb pitch about -16.5
// degrees): for 199 ticks it rolls, raising its nose toward the rotation
// pitch; then, rotated, it climbs by a tenth of its altitude step for 99
// ticks, a fifth for 100, half for 100, and the full step from the 300th
// tick after rotation, when its gear comes up; its nose rises further to the
// climb pitch by (climb - rotation pitch) / 300 per tick. Once the climb
// pitch is reached and it is 800 ft above the ground, it is flying.

#include "traffic/aircraft_records.h"

// The take-off roll begins: the rotation counter (groundTicks) is set to
// the category's rotation ticks, the nose is to reach the rotation pitch in
// them, the wings level; a take-off without a taxi-out starts one; the
// phase is take_off and the curve is cleared. An aircraft that touched down
// and takes off again (takeOffPending) goes to full throttle with its
// spoilers out and flaps 1.
void startTakeOff(LiveAc& aircraft);

// One tick of the take-off (GroundPhase take_off).
void takeOffStep(LiveAc& aircraft);

// One tick of a landing aircraft at 400 ft above the ground or less: the
// flare in four stages by height (30, 20, 10 and 3 ft above the height of
// the aircraft's reference point), each sinking more slowly (0.1, 0.075,
// 0.05, 0.025 ft per tick), the nose up to 4 degrees, the throttle closed
// at 10 ft. The first stage measures the height above the park airport's
// elevation when a park airport is set.
void flareStep(LiveAc& aircraft);
