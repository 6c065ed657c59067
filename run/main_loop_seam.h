#pragma once
// Seam: the main loop's globals that the traffic manager writes, until the
// main loop and its work cycle are built; they replace this file whole.

#include <atomic>
#include <cstdint>
#include <list>

// Aircraft ids that the work cycle checks, one per cycle, for a static
// aircraft of the same registration or callsign; spawning appends.
extern std::list<std::uint32_t> coupledCheckQueue;

// The time of week: weekday 1 to 7 (Sunday 7) in the low 32 bits, half
// hour 0 to 47 in the high 32 bits; refreshed by the main loop.
extern std::atomic<std::uint64_t> currentWeekSlot;

// The object id found for the callsign of the "Oid:" box; 0 = none.
extern std::atomic<std::uint32_t> lookedUpObjectId;
