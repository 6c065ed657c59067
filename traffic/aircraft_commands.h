#pragma once
// The small commands that set the state of one aircraft in the simulator:
// its flaps, its throttle, and everything of an aircraft that comes to rest
// on a stand. Each command goes through the simulator link's event queue;
// the record keeps the last index sent, so that nothing is sent twice.
// Worker thread only.

#include <cstdint>

#include "traffic/aircraft_records.h"

// Throttle indices: idle, low (approach, rolling), half (descent, faster
// rolling), climb, full.
inline constexpr std::uint32_t kThrottleIdle = 0;
inline constexpr std::uint32_t kThrottleLow = 1;
inline constexpr std::uint32_t kThrottleHalf = 2;
inline constexpr std::uint32_t kThrottleClimb = 3;
inline constexpr std::uint32_t kThrottleFull = 4;
// Flaps indices: in, take-off, the second step, landing.
inline constexpr std::uint32_t kFlapsIn = 0;
inline constexpr std::uint32_t kFlapsTakeOff = 1;
inline constexpr std::uint32_t kFlapsSecond = 2;
inline constexpr std::uint32_t kFlapsLanding = 3;

// FLAPS_SET by index: 0 -> 0, 1 -> 3072, 2 -> 10240, 3 -> 16383, 4 -> 0.
// Nothing for the index sent last or for a Rotorcraft. An index above 4 is
// logged ("gf_setFlaps: invalid flaps index") and sends nothing; the record
// keeps the index either way.
void gf_setFlaps(LiveAc& aircraft, std::uint32_t index);
void gf_setFlaps(ParkedAc& aircraft, std::uint32_t index);

// THROTTLE_SET by index: 0 -> 0, 1 -> 4914, 2 -> 8191, 3 -> 11468,
// 4 -> 16383. Nothing for the index sent last; an index of 5 or more sends
// nothing. The record keeps the index.
void gf_setThrottle(LiveAc& aircraft, std::uint32_t index);
void gf_setThrottle(ParkedAc& aircraft, std::uint32_t index);

// THROTTLE_SET by index as gf_setThrottle, but a Rotorcraft, whose rotor
// always turns at full throttle, gets index 4 whatever the index.
void gf_setFixedWingThrottle(LiveAc& aircraft, std::uint32_t index);

// GEAR_SET 1 (down) or 0 (up), each time it is called; nothing for a
// Rotorcraft.
void gf_setGear(LiveAc& aircraft, bool down);

// SPOILERS_SET 16383 (out) or 0 (in), each time it is called; nothing for a
// Rotorcraft.
void gf_setSpoilers(LiveAc& aircraft, bool out);

// An aircraft at rest on its stand: throttle 0 (when not sent already),
// flaps in, engines off, only the logo light and (as NAV_LIGHTS_WHILE_PARKED
// says) the navigation lights; the cabin lit unless the stand is a cargo
// stand, with RANDOM on in 9 of 10 aircraft.
void gf_setParkedState(LiveAc& aircraft);
void gf_setParkedState(ParkedAc& aircraft);
