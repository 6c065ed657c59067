#pragma once
// The stand search of static parking: which stands of the park airport have
// a traffic option that fits a half hour of the week, and which option each
// offers. Static parking (airports/) widens the fit half an hour at a time
// and turns the candidates into static aircraft one by one
// (createNextStaticAc). Worker thread only. The search itself
// (lf_searchStands) is declared in stands_internal.h.

#include <cstdint>
#include <vector>

#include "airports/park_stands.h"
#include "traffic/aircraft_records.h"
#include "traffic/stands/static_parking.h"

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
