#include "traffic/traffic_manager_seam.h"

#include <algorithm>

#include "traffic/removal.h"

void gf_removeAircraftAtStand(const std::string& /*standName*/) {}

void gf_removeAllStaticAircraft() {
    for (ParkedAc& aircraft : parkedAircraft) {
        removeAircraftFromSim(aircraft);
    }
    parkedAircraft.clear();
}

void lf_searchForCoupledCsAroundThisTime(std::uint64_t /*weekSlot*/, LiveAc& /*aircraft*/) {}

std::int64_t gf_countLiveParked(bool /*withStatistics*/) {
    return std::count_if(liveAircraft.begin(), liveAircraft.end(), [](const LiveAc& aircraft) {
        return aircraft.simState == SimState::Active && aircraft.groundPhase == GroundPhase::Parked;
    });
}

std::int64_t gf_countStaticParked(bool /*withStatistics*/) {
    return std::count_if(parkedAircraft.begin(), parkedAircraft.end(),
                         [](const ParkedAc& aircraft) { return aircraft.simState == SimState::Active; });
}
