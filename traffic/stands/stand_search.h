#pragma once
// The stands of the park airport (parkPositions) asked by the traffic
// manager: which stand has a name, which one lies at a position,
// on which one an aircraft that stops at a point may park, which one an
// arriving aircraft should take at a time of week, and which neighbour
// stand holds a live aircraft that would touch one parking next door.
// Worker thread only; no lock.

#include <cstdint>
#include <string>
#include <vector>

#include "airports/park_stands.h"
#include "core/great_circle.h"
#include "traffic/aircraft_records.h"

inline GeoPosition gf_standPosition(const ParkPosition& stand) { return {stand.latDeg, stand.lonDeg}; }

// The first stand whose name equals the text byte for byte;
// parkPositions.end() when there is none.
std::vector<ParkPosition>::iterator gf_findStandByName(const std::string& name);

// The name of the nearest stand within 55 m of the position; empty when
// there is none, when no stands are loaded or when the user aircraft is not
// on the ground. The answer for the last position asked is kept: the same
// position (within 1e-8 degrees) gets it again without a look at the stands.
std::string gf_findStandAtPosition(const GeoPosition& position);
// Forgets the kept answer (the park airport's stands are gone).
void gf_forgetStandAtPosition();

// The stand on which an aircraft that stops at the point may park: the
// nearest within radiusNm that is big enough for it (at most 1.8 m too
// small), or a smaller one only within 20 m (whose radius is then learned:
// the half span less 1 m). While no stand lies within radiusNm and the
// fallback is allowed, a big enough stand within 85 m with an option of this
// aircraft will do. A heli stand only for a Rotorcraft and the other way
// round. parkPositions.end() when there is none.
std::vector<ParkPosition>::iterator gf_findStandNearPoint(const GeoPosition& point, const LiveAc& aircraft,
                                                          double radiusNm, bool allowOptionFallback);

// The stand an arriving aircraft should take at the time of week (weekday in
// the low, half hour in the high 32 bits), by its kind (helicopter, cargo,
// light or private, airliner), its size and the stands' traffic: a stand
// with an option for that half hour stays free for its traffic, and a stand
// with an option of this aircraft comes first. With allowNextSlot, an
// airport of at most 10 stands that has none now is tried for the next half
// hour. parkPositions.end() when there is none. Throws std::out_of_range for
// a half hour outside 0 to 47.
std::vector<ParkPosition>::iterator gf_chooseStandForAircraft(std::uint64_t timeOfWeek, const AcIdentity& aircraft,
                                                              bool allowNextSlot);

// The first neighbour stand whose live aircraft (parked or pushing back,
// active, another callsign) would touch the aircraft parking on the target
// stand: the two half spans together, plus 10 percent, reach the distance
// between the stands. neighbourIds.end() when none would.
std::vector<std::uint32_t>::const_iterator gf_findCollidingNeighbour(const std::vector<std::uint32_t>& neighbourIds,
                                                                     const ParkPosition& target,
                                                                     const LiveAc& aircraft);

// The stand is kept for the user aircraft (the park airport's reserved
// stand) or the user aircraft stands on it: no AI aircraft is put there.
bool gf_isUserStand(const ParkPosition& stand);

// The live aircraft holding the neighbour stand and an aircraft of the type
// parking on the target stand would touch: their half spans together, plus
// 10 percent, reach the distance between the stands. Never for a neighbour
// that is not a stand of the park airport or lies at 0, 0.
bool gf_neighbourWouldTouch(const LiveAc& holder, std::uint32_t neighbourId, const ParkPosition& target,
                            const std::string& parkingType);

// The option counts, is real, and names the aircraft: by its first or second
// callsign, or by airline and type together.
bool gf_optionMatchesAircraft(const ParkOption& option, const AcIdentity& aircraft);

// The option counts (number not 0), is for the weekday and holds the half
// hour; std::out_of_range for a half hour outside 0 to 47.
bool gf_optionCoversSlot(const ParkOption& option, std::uint32_t weekday, std::uint32_t halfHour);
