#pragma once
// The worker's clock: the main loop's 10 ms deadlines and every wait of a
// run in fixed steps (100 ms for the flight, 500 ms for the user position,
// 1 s for the restart countdown). Tests put a clock of their own in its
// place (gf_setRunClock) to run these schedules without waiting.

#include <chrono>
#include <functional>

struct RunClock {
    std::function<std::chrono::steady_clock::time_point()> now;
    std::function<void(std::chrono::milliseconds)> sleepFor;
};

// The clock in use: the steady clock and a real sleep, unless a test set
// another. Worker thread.
const RunClock& gf_runClock();

// Puts the clock in place; an empty one restores the real clock. Only while
// no worker runs.
void gf_setRunClock(RunClock clock);

// Sleeps in steps of the given length, testing the stop flags before each
// step, until done() holds (true) or a stop flag is set (false).
bool gf_waitInSteps(std::chrono::milliseconds step, const std::function<bool()>& done);

// Sleeps for the duration in steps of the given length; false as soon as a
// stop flag is set.
bool gf_sleepUnlessStopped(std::chrono::milliseconds duration, std::chrono::milliseconds step);
