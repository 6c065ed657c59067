#include "traffic/active_live_count.h"

#include <algorithm>
#include <optional>

#include "traffic/farthest_active.h"
#include "traffic/traffic_state.h"

namespace {

std::optional<std::size_t> keptActiveCount;

std::size_t lf_countActive() {
    return static_cast<std::size_t>(std::count_if(liveAircraft.begin(), liveAircraft.end(), [](const LiveAc& aircraft) {
        return aircraft.simState == SimState::Active;
    }));
}

}  // namespace

ActiveLiveCountKeeper::ActiveLiveCountKeeper() { keptActiveCount = lf_countActive(); }

ActiveLiveCountKeeper::~ActiveLiveCountKeeper() { keptActiveCount.reset(); }

std::size_t gf_countActiveLiveAircraft() { return keptActiveCount ? *keptActiveCount : lf_countActive(); }

void gf_setSimState(LiveAc& aircraft, SimState state) {
    if (keptActiveCount) {
        *keptActiveCount -= aircraft.simState == SimState::Active ? 1 : 0;
        *keptActiveCount += state == SimState::Active ? 1 : 0;
    }
    aircraft.simState = state;
    gf_refreshFarthestActive(aircraft);
}

void gf_setSimState(ParkedAc& aircraft, SimState state) { aircraft.simState = state; }
