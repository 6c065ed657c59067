#include "airports/reserved_stand_seam.h"

AirportRecord parkAirport;
std::vector<ParkAirportEntry> parkAirports;

void gf_saveParkAirportEntry() {}
