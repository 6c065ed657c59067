#pragma once
// The per-tick update of a live aircraft. Its reports are a stream of
// report blocks, each due at its playback tick; on every tick the aircraft
// moves one step from the block it last reached toward the next one, and
// when a block's tick has come the next leg is timed and its per-tick steps
// are set. Ghost aircraft (a callsign with a trailing "_" that another
// aircraft now flies without it) are removed. Worker thread only, inside
// the tick.
//
// Worked example of the timing: an airliner reaches a block at tick 10000;
// the next block lies 2 nm ahead and both fly at 240 kt, so the leg takes
// round(2 x 360000 / 240) = 3000 ticks; the next block becomes due at tick
// 13000, unless that lies outside the lag window around the tick the report
// gave it (maxEarlyTicks before it, maxLateTicks after it).

#include <cstdint>

#include "traffic/aircraft_records.h"

// No leg is flown in fewer ticks than this: an aircraft never jumps.
inline constexpr std::int32_t kMinStepTicks = 25;

// One tick of one aircraft; true when the record is to be erased (either
// erase flag). A buffered aircraft is handed to spawning; an active one is
// moved and its position sent; one whose stream is empty or that has no
// object leaves (logged). A failure is logged; the aircraft then stays as
// it is and sends no position this tick.
bool updateLiveAc(LiveAc& aircraft);

// The front block's playback tick has come: the next block that can be
// flown to becomes the target, or, with nothing left to fly to, the
// aircraft leaves. A failure is logged and passed on.
void nextPosMain(LiveAc& aircraft);

// Makes the second block the target of the next ticks (timed, its steps
// set) and removes the front block. Needs two blocks.
void stepToNextBlock(LiveAc& aircraft);

// The second block becomes due at now + ticks, held inside the lag window
// around its own tick unless the stream is being extended, and never
// before now. Throws gsl::narrowing_error when the tick is no i32.
void clampPlaybackTick(LiveAc& aircraft, std::int32_t ticks);

// Times the second block of an aircraft in the air from the distance and
// the stream speed (the front block's ground speed, or 100 kt, toward a
// touchdown while landing).
void retimeAir(LiveAc& aircraft);

// Ticks until the second block is due, at least 25 (25 when it is past).
double gf_ticksToSecondBlock(const LiveAc& aircraft);

// No curve: control point and parameter range NaN, parameter 0.
void gf_clearCurve(CurveState& curve);
