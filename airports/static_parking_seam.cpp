#include "airports/static_parking_seam.h"

#include "airports/park_airports_seam.h"
#include "core/settings.h"
#include "run/program_start.h"

std::atomic<bool> parkingActive{false};

bool lf_readMyParkAirports() {
    parkAirports.clear();
    return false;
}

bool gf_checkParkAirports(bool /*reRead*/, std::string& /*text*/) { return false; }

void gf_handleStaticParking(bool /*firstCall*/) {}

void gf_applyParkingAdjustments() {}

void gf_logParkedAircraft() {}

void gf_removeGroundAircraft() {
    MAX_LIVE_SEL.value = static_cast<std::int32_t>(savedMaxLiveSel);
    parkAirport = AirportRecord{};
}

void fillFakeTraffic(const std::string& /*standFileName*/, const std::string& /*icao*/) {}
