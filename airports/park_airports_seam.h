#pragma once
// Seam: the park-airport list, the park airport and the candidates of static
// parking, until park airports and static parking are built; their modules
// own every name here and replace this file whole. Here there is no
// park-airport list yet and no park airport is ever chosen, so no stand is
// ever loaded. The stands themselves are airports/park_stands.h, which
// comes with this header for the users that read the park airport's stands.

#include <cstdint>
#include <string>
#include <vector>

#include "airports/airport_list.h"
#include "airports/park_stands.h"
#include "core/great_circle.h"
#include "core/shared_value.h"

// Puts the airport at the front of the park-airport list (a new entry is
// written to my_park_airports.txt).
void gf_addParkAirport(const std::string& icao, GeoPosition position);

// The current park airport, whose stands get static parked aircraft; an
// empty code means none. Chosen by the worker and read by the traffic
// reader's thread, hence copied whole under its own lock.
extern SharedValue<AirportRecord> parkAirport;

// One line of my_park_airports.txt.
struct ParkAirportEntry {
    std::string icao;
    std::string reservedStand;  // kept for the user aircraft; may be empty
};

// The park-airport list, in the order static parking keeps it (worker
// thread only).
extern std::vector<ParkAirportEntry> parkAirports;

// Writes the current park airport with its reserved stand into
// my_park_airports.txt. Here there is no park airport to write.
void gf_saveParkAirportEntry();

// The stand of the park airport kept for the user aircraft; no AI aircraft
// is put on it. Empty: none.
extern std::string reservedStandName;

// The traffic manager may learn soft stand options at the park airport; set
// when the airport's stand file is loaded (off at an airport whose file knows
// its real traffic well). Worker thread. Here no airport is loaded: false.
extern bool learnSoftAllowed;

// One stand chosen by the last static-parking calculation, with the texts
// of the traffic option chosen for it.
struct ParkCandidate {
    std::uint32_t standId = 0;
    std::int32_t fit = 0;  // half hours before now at which the option's hours were matched
    std::string airline;
    std::string type;
    std::string callsign;        // the option's first callsign
    std::string callsignSuffix;  // its second callsign
    std::string registration;
    // The aircraft of the option still stands there in the next half hour:
    // it is named by its first callsign, else by its second.
    bool continues = false;
};
// The candidates left to create; here static parking never chooses any.
extern std::vector<ParkCandidate> parkCandidates;

// Among the live aircraft in SimState active, removes the one farthest from
// the user aircraft when it is farther than distanceNm; true when none is
// farther (and nothing was removed).
bool gf_removeFarthestAircraft(double distanceNm);
