#pragma once
// The stand file the add-on airport scan generates for an airport it read:
// airports/my_simaddon/<ICAO>.xml for the simulator maker's airports,
// airports/my_thirdparty/<ICAO>.xml for every other, written whole in the
// generated mode of the stand-file writer (altitude, no traffic).

#include <string>

#include "scanner/scanned_airport.h"

// Sorts the airport's stands by id (byte order) and writes its stand file;
// an airport without stands gets none. Logs "Generated {}: {} position{}{}"
// (with ", of which {} helipad{}" when it has helipads) and, when the file
// cannot be written, "===> Generating {} did not succeed". Sets
// addonAirportFound on success. Two workers that generate the same
// airport's file (two scenery files of one airport) write it one after the
// other, so the file is always one of them whole (files of different
// airports are written side by side). A folder that cannot be made throws
// std::filesystem::filesystem_error.
void generateAirportFile(ScannedAirport& airport);

// Cuts the path text to its part from the first "Community" on; a text
// without it is left alone.
void trimPathToCommunity(std::string& path);
