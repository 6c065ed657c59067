#include "airports/park_airports_seam.h"

#include "simlink/sim_records.h"
#include "traffic/aircraft_records.h"
#include "traffic/removal.h"
#include "traffic/tick_driver.h"

SharedValue<AirportRecord> parkAirport;
std::vector<ParkAirportEntry> parkAirports;
std::string reservedStandName;
bool learnSoftAllowed = false;
std::vector<ParkCandidate> parkCandidates;

void gf_addParkAirport(const std::string& /*icao*/, GeoPosition /*position*/) {}

void gf_saveParkAirportEntry() {}

bool gf_removeFarthestAircraft(double distanceNm) {
    const GeoPosition user = gf_userPosition(runUserAcData);
    LiveAc* farthest = nullptr;
    double farthestNm = distanceNm;
    for (LiveAc& aircraft : liveAircraft) {
        if (aircraft.simState != SimState::Active) {
            continue;
        }
        const double nm = gf_greatCircleDistanceNm(user, {aircraft.position.latitudeDeg, aircraft.position.longitudeDeg});
        if (nm > farthestNm) {
            farthestNm = nm;
            farthest = &aircraft;
        }
    }
    if (farthest == nullptr) {
        return true;
    }
    removeAircraftFromSim(*farthest);
    return false;
}
