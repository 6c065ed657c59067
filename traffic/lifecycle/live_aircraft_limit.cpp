#include "traffic/lifecycle/live_aircraft_limit.h"

#include <algorithm>

#include "core/settings.h"
#include "records/sim_records.h"
#include "traffic/aircraft_records.h"
#include "traffic/farthest_active.h"
#include "traffic/removal.h"
#include "traffic/traffic_state.h"

namespace {

// An aircraft counts as farther only by more than this.
constexpr double kFartherMarginNm = 0.1;

}  // namespace

bool gf_removeFarthestAircraft(double distanceNm) {
    LiveAc* farthest = gf_findFarthestActive(gf_userPosition(runUserAcData), distanceNm, kFartherMarginNm);
    if (farthest == nullptr) {
        return true;
    }
    removeAircraftFromSim(*farthest);
    return false;
}

void gf_trimToMaxLiveAircraft() {
    const std::int64_t active = std::count_if(liveAircraft.begin(), liveAircraft.end(),
                                              [](const LiveAc& aircraft) { return aircraft.simState == SimState::Active; });
    for (std::int64_t excess = active - MAX_LIVE_SEL.value; excess >= 1; --excess) {
        gf_removeFarthestAircraft(-1.0);
    }
}
