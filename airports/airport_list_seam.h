#pragma once
// Seam: one airport of the airport list, until the airport list is built.
// The airport list owns AirportRecord and replaces this file whole.

#include <string>

struct AirportRecord {
    std::string code;  // ICAO code; empty for no airport
    std::string iata;  // IATA code; empty when it has none
    double lat = 0.0;  // degrees
    double lon = 0.0;  // degrees
    double alt = 0.0;  // elevation, feet
};
