#include "traffic/intake/adding_stack.h"

#include <utility>

#include "records/clock.h"
#include "traffic/traffic_state.h"

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
    addingStack.push(std::move(report));
    return true;
}
