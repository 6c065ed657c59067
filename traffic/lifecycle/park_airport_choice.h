#pragma once
// Which airport is the park airport, decided once per work cycle: on the
// ground the airport the user aircraft stands at; in the air the nearest of
// the park airports once it is in sight (within AIRP_RANGE nm, the user at
// most AIRP_HEIGHT ft above the ground). When it goes out of sight, or a
// nearer park airport comes into sight, the aircraft on its ground are
// removed and the next cycle chooses again. Worker thread only.

#include <string>

#include "core/great_circle.h"
#include "traffic/traffic_state.h"

// The controller of each work cycle; showMessage shows "Calculating static
// parked aircraft ..." when an airport is chosen on the ground.
void gf_handleStaticParking(bool showMessage);
// Chooses the airport the user stands at, or in the air the front park
// airport once it is in sight.
void checkUserOnGround(const GeoPosition& user, bool showMessage);
// In the air: leaves the park airport when it is out of sight or the front
// park airport is in sight and not farther.
void checkParkAirportInSight(const GeoPosition& user);
// Makes the known airport the park airport; false (nothing changed) for an
// unknown code.
bool setParkAirport(const std::string& icao);
// Locks the parking controls before the calculation.
void prepareStaticParking(bool showMessage);
