#pragma once
// Demo traffic (PARK_FAKE): every stand of a freshly read stand file gets
// one soft option for the current half hour, so that an airport without
// traffic data shows parked aircraft. Worker thread.

#include <string>

// Gives every stand of parkPositions that some demo type fits one soft
// option "FAKE<n>" for the current half hour, marked demo (no file keeps it): helipads a helicopter, cargo
// stands freighters, ramps general aviation, other stands airliners by the
// first letter of the ICAO code. standFileName (the stand file's name
// without its extension) is not needed to choose.
void fillFakeTraffic(const std::string& standFileName, const std::string& icao);
