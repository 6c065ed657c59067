#pragma once
// Seam: what run control's work cycle calls of the traffic manager's parts
// that are not built yet (removal at a stand, static aircraft, coupled
// callsigns, the parked counts); their own modules replace this file whole. Each does the least
// the work cycle relies on. Worker thread only.

#include <cstdint>
#include <string>

#include "traffic/aircraft_records.h"

// Removes the static aircraft on that stand, else the live one parked on
// it. No stands are loaded yet: nothing.
void gf_removeAircraftAtStand(const std::string& standName);

// Removes every static aircraft (removeAircraftFromSim) and drops their
// records.
void gf_removeAllStaticAircraft();

// Looks for the callsign coupled with this one around the time of week.
// Nothing here.
void lf_searchForCoupledCsAroundThisTime(std::uint64_t weekSlot, LiveAc& aircraft);

// The parked live aircraft (active, GroundPhase parked) and the active
// static aircraft; with the flag also their statistics (none here).
std::int64_t gf_countLiveParked(bool withStatistics);
std::int64_t gf_countStaticParked(bool withStatistics);
