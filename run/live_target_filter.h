#pragma once
// Which reported targets may become aircraft in the simulator.

#include <string_view>

struct LiveAcUpdate;

// False for a target without a type, for the ADS-B emitter categories of
// ground vehicles, obstacles and such (B1, B2, B4, C1, C2) and for the
// types of non-aircraft; an empty or "null" category skips the type test.
bool isWantedLiveTarget(const LiveAcUpdate& report, std::string_view category);

// True for the type codes of balloons, emergency and service vehicles,
// gliders, ground objects, parachutes, ships and vents ("BALL", "EMER",
// "GLID", "GRND", "GND", "PARA", "SERV", "SHIP", "VENT"; case-sensitive).
bool isNonAircraftType(std::string_view type);
