#pragma once
// Seam: live aircraft parked at their stands and their limits, until they
// are built; that module replaces this file whole. No stand is loaded
// before then, so no live aircraft parks.

#include <cstdint>

#include "traffic/aircraft_records.h"

// Learns the cargo attribute of the stand the aircraft was put on; here
// there is none to learn.
void lf_learnCargoAttribute(LiveAc& aircraft);

// Keeps the number of parked aircraft within its limit after a live one was
// put on a stand (extra 1 at a spawn); here nothing is parked.
void checkMaxPark(std::uint8_t extra);

// An aircraft driving onto its stand has no reports left: within 2 m of
// the stand it parks there, farther away it taxis again. Here only the
// phase changes: no stand is loaded, so no aircraft drives onto one.
void lf_arriveAtStand(LiveAc& aircraft);
