#pragma once
// How long a live aircraft has stood on its stand. parkedSince holds the
// system clock in 100-ns ticks, as the system's file times count.

#include <cstdint>

// The system clock now, in 100-ns ticks.
std::uint64_t gf_systemTicksNow();

// Whole seconds from the time (100-ns ticks of the system clock) to now; 0
// for a time that lies ahead, as it does after the clock was set back, so
// that such an aircraft counts as just parked rather than parked for ages.
std::uint64_t gf_secondsSince(std::uint64_t systemTicks);
