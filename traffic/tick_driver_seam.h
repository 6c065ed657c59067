#pragma once
// Seam: the traffic manager's tick counter, until its tick driver is built.
// The tick driver owns tickCounter, counts it up once per tick and replaces
// this file whole; until then it stays at its start value.

#include <atomic>
#include <cstdint>

// Ticks (10 ms steps of the main loop) since the program started; never
// reset. Counted by the worker, read by the traffic reader to stamp reports.
extern std::atomic<std::int32_t> tickCounter;
