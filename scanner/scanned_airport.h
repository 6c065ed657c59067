#pragma once
// One airport as the add-on airport scan finds it in a BGL file: what its
// generated stand file says of it (airports/stand_file.h: ICAO code, name
// from the airport names, BGL path, publisher with the package manifest's
// manufacturer and creator, quality factors 0 as a scanned airport has no
// traffic to judge, altitude), the manifest's title, and its stands.

#include <string>
#include <vector>

#include "airports/stand_file.h"

struct ScannedAirport : AirportFileInfo {
    std::string title;                 // of the package's manifest
    std::vector<ParkPosition> stands;  // parking places and helipads
};
