#pragma once
// The user's destination: the airport typed into the "Destination:" box
// (or kept in parameters.xml) becomes the first park airport.

#include <string>

#include "core/great_circle.h"

// DESTINATION := the ICAO code, saved and shown; "New destination: {}"
// shown and logged; "Re-read" disabled; the airport is handed to the worker
// to be put at the front of the park-airport list. Any thread.
void gf_setDestination(const std::string& icao, GeoPosition position);

// Worker thread: puts the airport of the last gf_setDestination at the front
// of the park-airport list (gf_addParkAirport); nothing when none is waiting.
void gf_addDestinationParkAirport();
