#include "airports/park_airports_seam.h"

void gf_addParkAirport(const std::string& /*icao*/, GeoPosition /*position*/) {}
