#pragma once
// Static parked aircraft: each candidate that static parking chose becomes a
// ParkedAc on its stand, dressed in a fitting livery and queued for
// creation, one per creation slot of the tick; they are counted for the
// main window and removed again, all at once or the one on the stand kept
// for the user. Callsigns of static aircraft end with "*". Worker thread
// only.

#include <cstdint>
#include <string>

#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"

// Takes the last candidate of parkCandidates and makes its static aircraft,
// unless a live aircraft parks on the stand or next to it, or a static one
// stands there or next to it (logged while LOG is on), its stand is gone
// ("stand with id {} not found"), or no livery fits it.
void createNextStaticAc();

// The callsign of a candidate's static aircraft: the first callsign while
// its aircraft stays on, else the second (the other when that is empty),
// without trailing underscores and with one "*" at its end; empty (logged)
// when both are.
std::string lf_detcs(const ParkCandidate& candidate);

// The static aircraft active or being removed; withStatistics (and WEEK
// off) also shows their average fit to the time of week.
std::int64_t gf_countStaticParked(bool withStatistics);

// Removes every static aircraft: active ones from the simulator, queued
// ones by cancelling their request (their records erased at once).
void gf_removeAllStaticAircraft();

// Clears the named stand (the user's reserved stand): its active static
// aircraft goes, else its active live parked aircraft. Nothing when no
// stand has the name.
void gf_removeAircraftAtStand(const std::string& standName);
