#pragma once
// The "Re-read" check of the park airports: my_park_airports.txt read again,
// and a reserved stand that the user changed in it taken over at the loaded
// park airport, whose stands and static aircraft follow. Worker thread.

#include <string>

// Reads the park airports again and, with checkReservedStand, takes over a
// reserved stand that the user changed in the file; text tells the user
// what happened. False when the file had an unknown airport or failed.
bool gf_checkParkAirports(bool checkReservedStand, std::string& text);
