#include "traffic/lifecycle/collision_avoidance.h"

#include <algorithm>

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "traffic/removal.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"

namespace {

// Two aircraft closer than their half spans together, with a margin of a
// tenth, touch.
constexpr double kTouchMargin = 1.1;

}  // namespace

void gf_removeForCollisionAvoidance(LiveAc& aircraft) {
    if (aircraft.departing || aircraft.takeOffPending) {
        return;
    }
    const GeoPosition position = gf_aircraftPosition(aircraft);
    aircraft.collisionCheckLatDeg = position.latDeg;
    aircraft.collisionCheckLonDeg = position.lonDeg;
    const std::string& callsign = aircraft.identity.strings.callsign;
    const auto parked = std::find_if(parkedAircraft.begin(), parkedAircraft.end(), [&](const ParkedAc& other) {
        return other.simState == SimState::Active && other.identity.strings.callsign != callsign &&
               gf_greatCircleDistanceNm({other.standLatDeg, other.standLonDeg}, position) <=
                   (other.identity.halfSpanNm + aircraft.identity.halfSpanNm) * kTouchMargin;
    });
    if (parked == parkedAircraft.end()) {
        return;
    }
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: {:8} removed for collision avoidance with static {}",
                                        gf_standName(parked->standId), parked->identity.strings.callsign, callsign));
    }
    removeAircraftFromSim(*parked);
}
