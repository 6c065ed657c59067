#pragma once
// Which categories of aircraft the settings let into the traffic: asked when
// a report makes a new aircraft, when a buffered one spawns and when its
// stream is extended.

#include "liveries/aircraft_category.h"

// The settings let aircraft of this category into the traffic: Light needs
// LIGHT_AIRCRAFT, HighPerf HIGH_PERF_AIRCRAFT, Rotorcraft HELICOPTERS.
bool gf_isCategorySwitchedOn(AircraftCategory category);
