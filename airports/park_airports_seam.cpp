#include "airports/park_airports_seam.h"

SharedValue<AirportRecord> parkAirport;
std::vector<ParkAirportEntry> parkAirports;

void gf_addParkAirport(const std::string& /*icao*/, GeoPosition /*position*/) {}

void gf_saveParkAirportEntry() {}
