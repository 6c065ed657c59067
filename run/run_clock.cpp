#include "run/run_clock.h"

#include <algorithm>
#include <thread>

#include "core/run_flags.h"

namespace {

RunClock lf_realClock() {
    return {[] { return std::chrono::steady_clock::now(); },
            [](std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }};
}

RunClock runClock = lf_realClock();

}  // namespace

const RunClock& gf_runClock() { return runClock; }

void gf_setRunClock(RunClock clock) { runClock = clock.now && clock.sleepFor ? std::move(clock) : lf_realClock(); }

bool gf_waitInSteps(std::chrono::milliseconds step, const std::function<bool()>& done) {
    while (!done()) {
        if (gf_stopFlagSet()) {
            return false;
        }
        runClock.sleepFor(step);
    }
    return !gf_stopFlagSet();
}

bool gf_sleepUnlessStopped(std::chrono::milliseconds duration, std::chrono::milliseconds step) {
    for (auto left = duration; left > std::chrono::milliseconds::zero(); left -= step) {
        if (gf_stopFlagSet()) {
            return false;
        }
        runClock.sleepFor(std::min(step, left));
    }
    return !gf_stopFlagSet();
}
