#pragma once
// Movement on the ground between report blocks. When a live aircraft on
// the ground reaches a block, the way to the next one is chosen: a straight
// line, a curve through the next block before a turn, or an extra block
// halfway before a sharp turn after a long slow leg or a speed change; the
// next block is timed from the taxi speed and the turn to be flown; the
// speed, throttle and flaps are set; a parked aircraft whose reports move
// pushes back or pulls out, and one that stops near a stand parks on it; a
// departing aircraft whose blocks ahead are fast and airborne starts its
// take-off. Worker thread only.
//
// Worked examples of the timing of a turn, for a Large aircraft (taxi turn
// rate 0.07 degrees = 0.0012217 rad per tick):
// - a 90-degree curve ahead over 120 m at 10 kt: the leg takes
//   round(0.0648 nm x 360000 / 10) = 2333 ticks; the turn at the taxi rate
//   takes round(1.5708 rad / 0.0012217) = 1286 ticks; r = 2333 / 1286 =
//   1.81, and as the turn is above 45 degrees the turn rate becomes
//   0.07 x min(1.81, 90 / 30) = 0.127 degrees per tick; the lag window
//   widens to 2000 ticks at least on each side;
// - a 30-degree turn over 60 m at 40 kt: the leg takes 292 ticks, the turn
//   429 (30 / 0.07); r = 0.68 is below 1.2, so the rate becomes 0.07 / 0.68
//   = 0.103 degrees per tick and the turn lasts the leg.

#include "traffic/aircraft_records.h"

// The way to the next block, when a block is reached on the ground (before
// the front block is removed). Throws gsl::narrowing_error for a tick
// count or whole-degree angle that is no i32.
void nextPosGround(LiveAc& aircraft);

// The playback tick of the second block on the ground: a moving block is
// due after its straight distance at the stream speed (at least 25 ticks),
// and the turn rate is set so that the turn fits the leg; an unmoved block
// keeps its distance in time from the block before it (at least 25 ticks,
// never before now + 25). Both inside the lag window unless the stream is
// being extended. Throws gsl::narrowing_error for a tick count that is no
// i32.
void retimeGround(LiveAc& aircraft);

// At each block reached on the ground, toward a moving second block: the
// phase (taxi after parked or flying), the throttle (by the taxi speed while
// departing, idle otherwise), the standing attitude, the curve's step, the
// speed sent, and the take-off when the blocks ahead allow it.
void setGroundSpeed(LiveAc& aircraft);

// After a touchdown (takeOffPending): an aircraft that turned 15 degrees or
// more since its landing has left the runway: flaps, throttle and spoilers
// in and taxi lights; until then, at 90 kt or less, spoilers in and flaps
// 1, ready to take off again.
void setFlapsForTurn(LiveAc& aircraft);
