#pragma once
// The names that the files of traffic/stands/ share among themselves: the
// stand search of static parking (static_stand_search.cpp, which static
// parking and its renewal run).
// Included only inside traffic/stands/ (and by the tests of these files);
// what other folders call is in the topical headers.

#include <cstdint>
#include <vector>

#include "traffic/stands/static_parking.h"

// Appends a candidate for every stand, neither reserved nor taken, with an
// option that counts for the slot fit half hours before the time of week
// (weekday in the low, half hour in the high 32 bits): kind 1 real options
// only, kind 0 soft ones only, any other kind both. A stand gets its first
// fitting option (shuffled with RANDOM on, the option of a static aircraft
// standing there first); an option whose aircraft is present already (a
// static aircraft, a candidate of parkCandidates or of candidates, a live
// parked aircraft) stops counting instead. The stand is then taken and its
// neighbours blocked. An exception is logged ("lf_searchStands: day: [{},{}],
// offset {}: {}"); the candidates appended so far stay.
void lf_searchStands(std::uint64_t timeOfWeek, std::uint32_t kind, std::uint32_t fit,
                     std::vector<ParkCandidate>& candidates);
