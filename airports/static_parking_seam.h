#pragma once
// Seam: what run control and the stand-file reader call of park airports
// and static parking, until those are built; their own modules replace this
// file whole. Each name does the least its callers rely on: no park airport
// is chosen (the park airport and the park-airport list:
// airports/park_airports_seam.h), so no stand file is ever read in a run.

#include <atomic>
#include <string>

// A park airport is loaded and static parking is in force.
extern std::atomic<bool> parkingActive;

// Reads my_park_airports.txt into the park-airport list. Here the list
// stays empty (false).
bool lf_readMyParkAirports();

// With reRead, reads the park airports again and checks the reserved stand;
// true when text holds a message to show. Nothing to check here (false).
bool gf_checkParkAirports(bool reRead, std::string& text);

// The static-parking controller: once with true when the main loop starts,
// then every 16th work cycle. Nothing here.
void gf_handleStaticParking(bool firstCall);

// Removes the farthest live aircraft in SimState active until no more than
// MAX_LIVE_SEL are left.
void gf_trimToMaxLiveAircraft();

// Applies a finished static-parking calculation (the renewal's second
// phase). Nothing here.
void gf_applyParkingAdjustments();

// Logs the parked aircraft with their stands. Nothing here.
void gf_logParkedAircraft();

// At closing down while a park airport is set: the static and the live
// aircraft on the ground leave, MAX_LIVE_SEL is restored from
// savedMaxLiveSel, and the park airport is cleared.
void gf_removeGroundAircraft();

// With PARK_FAKE on, gives every stand of the stand file just read (its name
// without extension, and the airport's ICAO code) one soft option for the
// current half hour. Nothing here.
void fillFakeTraffic(const std::string& standFileName, const std::string& icao);
