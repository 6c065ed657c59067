#pragma once
// Seam: what run control and the airport list call of airport stand files,
// park airports and static parking, until those are built; their own
// modules replace this file whole. Each name does the least its callers
// rely on: no stand file is ever read and no park airport is chosen.

#include <string>

#include "core/great_circle.h"

// The distance in nautical miles from the position to the nearest stand of
// the airport's stand file, whose id goes into standId; 100.0 (standId
// unchanged) when there is none. Here no stand file is read, so no stand
// decides between two neighbouring airports.
double gf_readDestApfForClosestStand(const std::string& icao, const GeoPosition& position, std::string& standId);
