#include "core/worker_slots.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/core_state.h"
#include "core/run_flags.h"

namespace {

// std::thread::hardware_concurrency may not know and give 0.
int lf_hardwareThreads() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

}  // namespace

int maxWorkers = lf_hardwareThreads();

bool gf_waitForWorkerSlot() {
    constexpr auto kStep = std::chrono::microseconds(10);
    const int limit = std::max(maxWorkers, 1);
    while (!runStopRequested && !userCloseRequested) {
        if (runningWorkers.load() < limit) {
            return true;
        }
        std::this_thread::sleep_until(std::chrono::steady_clock::now() + kStep);
    }
    return false;
}

void gf_releaseWorkerSlot() { --runningWorkers; }
