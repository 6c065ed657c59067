#pragma once
// The program's clock values, which the worker counts and every subsystem
// reads: the 10 ms ticks, the one-second work cycles and the feed's time of
// week. All atomic: the readers and the window read them from their own
// threads.

#include <atomic>
#include <cstdint>

// Ticks since the program started; counted at the end of every traffic step
// and never reset. The clock of report playback, pacing and ground movement.
// Counted by the worker, read by the traffic reader to stamp reports.
extern std::atomic<std::int32_t> tickCounter;

// Work cycles since the main loop started (about seconds); back to 0 at
// 86400.
extern std::atomic<std::uint32_t> cycleCounter;

// The time of week of the feed's clock: weekday 1 to 7 (Sunday 7) in the low
// 32 bits, half-hour slot 0 to 47 in the high 32 bits.
extern std::atomic<std::uint64_t> currentWeekSlot;
