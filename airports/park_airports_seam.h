#pragma once
// Seam: the park-airport list and the park airport, until airports and
// static parking are built. That subsystem owns gf_addParkAirport and
// parkAirport and replaces this file whole; here there is no park-airport
// list yet and no park airport is ever chosen.

#include <string>
#include <vector>

#include "airports/airport_list_seam.h"
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
