#include "traffic/traffic_manager_seam.h"

#include <algorithm>

#include "traffic/removal_seam.h"

void gf_removeAircraftAtStand(const std::string& /*standName*/) {}

void gf_removeAllStaticAircraft() {
    for (ParkedAc& aircraft : parkedAircraft) {
        removeAircraftFromSim(aircraft);
    }
    parkedAircraft.clear();
}

void gf_replaceSameRegOrCallsign(LiveAc& /*aircraft*/, bool /*onGround*/) {}

void lf_searchForCoupledCsAroundThisTime(std::uint64_t /*weekSlot*/, LiveAc& /*aircraft*/) {}

void gf_removeForCollisionAvoidance(LiveAc& aircraft) {
    aircraft.collisionCheckLatDeg = aircraft.position.latitudeDeg;
    aircraft.collisionCheckLonDeg = aircraft.position.longitudeDeg;
}

std::int64_t gf_countLiveParked(bool /*withStatistics*/) {
    return std::count_if(liveAircraft.begin(), liveAircraft.end(), [](const LiveAc& aircraft) {
        return aircraft.simState == SimState::Active && aircraft.groundPhase == GroundPhase::Parked;
    });
}

std::int64_t gf_countStaticParked(bool /*withStatistics*/) {
    return std::count_if(parkedAircraft.begin(), parkedAircraft.end(),
                         [](const ParkedAc& aircraft) { return aircraft.simState == SimState::Active; });
}
