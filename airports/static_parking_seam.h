#pragma once
// Seam: what run control and the airport list call of airport stand files,
// park airports and static parking, until those are built; their own
// modules replace this file whole. Each name does the least its callers
// rely on: no stand file is ever read and no park airport is chosen (the
// park airport, the park-airport list and the stands:
// airports/park_airports_seam.h).

#include <atomic>
#include <string>

#include "core/great_circle.h"

// A park airport is loaded and static parking is in force.
extern std::atomic<bool> parkingActive;

// The distance in nautical miles from the position to the nearest stand of
// the airport's stand file, whose id goes into standId; 100.0 (standId
// unchanged) when there is none. Here no stand file is read, so no stand
// decides between two neighbouring airports.
double gf_readDestApfForClosestStand(const std::string& icao, const GeoPosition& position, std::string& standId);

// Reads my_park_airports.txt into the park-airport list. Here the list
// stays empty (false).
bool lf_readMyParkAirports();

// With reRead, reads the park airports again and checks the reserved stand;
// true when text holds a message to show. Nothing to check here (false).
bool gf_checkParkAirports(bool reRead, std::string& text);

// The static-parking controller: once with true when the main loop starts,
// then every 16th work cycle. Nothing here.
void gf_handleStaticParking(bool firstCall);

// Applies a finished static-parking calculation (the renewal's second
// phase). Nothing here.
void gf_applyParkingAdjustments();

// Logs the parked aircraft with their stands. Nothing here.
void gf_logParkedAircraft();

// At closing down while a park airport is set: the static and the live
// aircraft on the ground leave, MAX_LIVE_SEL is restored from
// savedMaxLiveSel, and the park airport is cleared.
void gf_removeGroundAircraft();
