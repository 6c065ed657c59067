#pragma once
// Seam: the park airport and the park-airport list, as far as the simulator
// link keeps the user's stand in it, until airports and static parking are
// built; that subsystem replaces this file whole. Here no park airport is
// set and the list is empty.

#include <string>
#include <vector>

// One airport of the airport list.
struct AirportRecord {
    std::string icao;
    std::string iata;  // may be empty
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double altitudeFt = 0.0;
};

// The current park airport; an empty ICAO code means none.
extern AirportRecord parkAirport;

// One line of my_park_airports.txt.
struct ParkAirportEntry {
    std::string icao;
    std::string reservedStand;  // kept for the user aircraft; may be empty
};

// The park-airport list, in the order static parking keeps it.
extern std::vector<ParkAirportEntry> parkAirports;

// Writes the current park airport with its reserved stand into
// my_park_airports.txt. Here there is no park airport to write.
void gf_saveParkAirportEntry();
