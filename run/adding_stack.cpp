#include "run/adding_stack.h"

#include "traffic/tick_driver.h"

namespace {

// 30 s of 10-ms ticks: every report plays that long after it arrived.
constexpr std::int32_t kPlaybackDelayTicks = 3000;

}  // namespace

std::mutex feedMutex;
std::deque<LiveAcUpdate> addingStack;
bool acceptingFeed = false;

void gf_setAcceptingFeed(bool accepting) {
    const std::lock_guard lock(feedMutex);
    acceptingFeed = accepting;
}

bool gf_queueReport(LiveAcUpdate&& report) {
    const std::lock_guard lock(feedMutex);
    if (!acceptingFeed) {
        return false;
    }
    report.block.playbackTick = tickCounter.load() + kPlaybackDelayTicks;
    addingStack.push_back(std::move(report));
    return true;
}
