#pragma once
// States of a run as the other subsystems set them for the status panel,
// for the tests that paint it.

#include <cstdint>

namespace test {

// A flight running in the simulator: connected, running, its name and the
// user aircraft's title ("Asobo A320 Neo").
void showFlightRunning();

// RealTraffic connected with its readers in these states, QNH 1013 and 27
// live aircraft.
void showRealTrafficConnected(std::uint32_t trafficState, std::uint32_t weatherState);

// EDDF (FRA) loaded as the park airport: its stand file (Frankfurt/Main,
// Aerosoft, 35 weeks, quality 85/92), 312 stands, 12 updates, 9 live
// aircraft parked.
void showParkAirportLoaded();

// The static parking of the loaded park airport done: soft options used,
// the reserved stand V155 found, 120 of at most 150 (48 %) static aircraft
// with an average fit of 3 hours, the live ones 2.5 hours.
void showStaticParkingDone();

}  // namespace test
