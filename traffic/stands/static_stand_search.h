#pragma once
// The stand search of static parking: which stands of the park airport have
// a traffic option that fits a half hour of the week, and which option each
// offers. Static parking (airports/) widens the fit half an hour at a time
// and turns the candidates into static aircraft one by one
// (createNextStaticAc). Worker thread only.

#include <cstdint>
#include <vector>

#include "airports/park_stands.h"
#include "traffic/aircraft_records.h"
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

// The stand is given to an aircraft: taken, and its neighbours next to a
// taken stand.
void gf_takeStand(ParkPosition& stand);

// Whether a static aircraft still fits one option of its stand: the option
// is for the weekday and for the aircraft's registration, airline and type
// (then *identityMatched, when given, becomes -1), and holds a half hour from
// halfHour back window half hours (not below 0). The wrapped form looks at
// the day before from half hour 47 back (the caller gives that weekday).
// std::out_of_range for a half hour outside 0 to 47.
bool gf_candidateFitsSlots(const ParkOption& option, const AcIdentity& aircraft, std::uint32_t weekday,
                           std::int32_t halfHour, std::int32_t window, std::int32_t* identityMatched = nullptr);
bool gf_candidateFitsSlotsWrapped(const ParkOption& option, const AcIdentity& aircraft, std::uint32_t weekday,
                                  std::int32_t window, std::int32_t* identityMatched = nullptr);
