#pragma once
// The nearest stand of an airport, from its stand file: what decides which
// of two neighbouring airports the user aircraft stands at. Worker thread.

#include <string>

#include "core/great_circle.h"

// The distance in nautical miles from the position to the nearest stand of
// the airport's stand file (airports/stand_file_locations.h), whose id goes
// into standId; 100.0, standId unchanged, when the airport has no stand
// file, it cannot be downloaded or read, or no stand is nearer. A stand file
// of the server is fetched into airport.xml in the working folder and
// removed after. Never throws: a failure is logged
// ("gf_readDestApfForClosestStand: {}").
double gf_readDestApfForClosestStand(const std::string& icao, const GeoPosition& position, std::string& standId);
