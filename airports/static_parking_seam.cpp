#include "airports/static_parking_seam.h"

#include <algorithm>

#include "airports/park_airports_seam.h"
#include "core/settings.h"
#include "run/program_start.h"
#include "traffic/aircraft_records.h"

std::atomic<bool> parkingActive{false};

bool lf_readMyParkAirports() {
    parkAirports.clear();
    return false;
}

bool gf_checkParkAirports(bool /*reRead*/, std::string& /*text*/) { return false; }

void gf_handleStaticParking(bool /*firstCall*/) {}

void gf_trimToMaxLiveAircraft() {
    const auto active = std::count_if(liveAircraft.begin(), liveAircraft.end(),
                                      [](const LiveAc& aircraft) { return aircraft.simState == SimState::Active; });
    for (auto excess = active - MAX_LIVE_SEL.value; excess > 0; --excess) {
        gf_removeFarthestAircraft(-1.0);
    }
}

void gf_applyParkingAdjustments() {}

void gf_logParkedAircraft() {}

void gf_removeGroundAircraft() {
    MAX_LIVE_SEL.value = static_cast<std::int32_t>(savedMaxLiveSel);
    parkAirport = AirportRecord{};
}

void fillFakeTraffic(const std::string& /*standFileName*/, const std::string& /*icao*/) {}
