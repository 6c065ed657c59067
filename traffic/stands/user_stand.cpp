#include "traffic/stands/user_stand.h"

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "simlink/user_aircraft.h"
#include "traffic/stands/stand_search.h"

void gf_keepReservedStand(const std::string& stand) {
    if (parkAirports.empty()) {
        return;
    }
    ParkAirportEntry& entry = parkAirports.front();
    if (entry.icao == parkAirport.load().code && entry.reservedStand != stand) {
        entry.reservedStand = stand;
        gf_saveParkAirportEntry();
    }
}

void gf_installUserStandHooks() { userStandHooks = {gf_findStandAtPosition, gf_keepReservedStand}; }
