#pragma once
// Seam: taxi movement, until it is built; that module replaces this file
// whole. Here an aircraft on the ground drives straight from block to block
// (no curve, no block halfway), turning its heading toward each block at its
// taxi turn rate, with its engines idling; it looks for no stand, never
// pushes back or pulls out, and never starts a take-off. Worker thread only.

#include "traffic/aircraft_records.h"

// The way to the next block, when a block is reached on the ground: the
// heading is to turn toward the next block when it lies more than 3 degrees
// off; then retimeGround.
void nextPosGround(LiveAc& aircraft);

// The playback tick of the second block on the ground: a moving block is
// due after its straight distance at the stream speed (at least 25 ticks);
// an unmoved block keeps its distance in time from the block before it (at
// least 25 ticks, never before now + 25). Both inside the lag window.
// Throws gsl::narrowing_error for a tick count that is no i32.
void retimeGround(LiveAc& aircraft);

// At each block reached on the ground: taxi phase (after parked or flying),
// the throttle at idle (a Rotorcraft's at index 4), the standing attitude,
// and the next block's ground speed as the speed sent.
void setGroundSpeed(LiveAc& aircraft);
