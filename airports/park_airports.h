#pragma once
// The user's park airports: the airports whose stands may get static parked
// aircraft. They are the lines of my_park_airports.txt (an airport code, or
// a code, a comma and the stand kept free for the user), every airport with
// a stand file in my_thirdparty, and the destination entered in the main
// window. Also the current park airport and its reserved stand.

#include <list>
#include <string>

#include "airports/airport_list.h"
#include "core/great_circle.h"
#include "core/shared_text.h"
#include "core/shared_value.h"

// One park airport.
struct ParkAirportEntry {
    std::string icao;
    std::string reservedStand;  // kept for the user aircraft; may be empty
    double latDeg = 0.0;
    double lonDeg = 0.0;
    double distanceNm = 0.0;  // to the user aircraft, refreshed each cycle
};

// Reads my_park_airports.txt into parkAirports, then adds the my_thirdparty
// airports. False when an airport is unknown (shown on the message line) or
// reading failed; a missing file is no failure.
bool lf_readMyParkAirports();
// Appends the airports of the stand files in my_thirdparty that the list
// lacks.
void addThirdPartyParkAirports();

// Writes the front entry of parkAirports into my_park_airports.txt: its
// line replaces the airport's line, or comes first; the file is written
// sorted, without duplicate lines, and replaced only once it is whole.
void gf_saveParkAirportEntry();
// The line of the file is the airport's (its first field is the code): it
// becomes newLine. True when it matched.
bool updateParkAirportLine(const std::string& icao, const std::string& newLine, std::string& line);

// The destination: puts the airport at the front of the list (a new entry
// is written to the file, a known one keeps its reserved stand).
void gf_addParkAirport(const std::string& icao, GeoPosition position);
