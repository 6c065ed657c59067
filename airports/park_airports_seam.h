#pragma once
// Seam: the park-airport list, until airports and static parking are built.
// That subsystem owns gf_addParkAirport and replaces this file whole; here
// it does nothing, as there is no park-airport list yet.

#include <string>

#include "core/great_circle.h"

// Puts the airport at the front of the park-airport list (a new entry is
// written to my_park_airports.txt).
void gf_addParkAirport(const std::string& icao, GeoPosition position);
