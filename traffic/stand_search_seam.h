#pragma once
// Seam: the stand search, until it is built; its own module replaces this
// file whole. No park airport's stands are loaded before then, so no
// position has a stand and no stand is found for an aircraft.

#include <cstdint>
#include <string>
#include <vector>

#include "airports/park_airports_seam.h"
#include "core/great_circle.h"
#include "traffic/aircraft_records.h"

// The name of the nearest stand of the park airport within 55 m of the
// position; empty when there is none. Worker thread only.
std::string gf_findStandAtPosition(const GeoPosition& position);

// The stand on which an aircraft that stops at the point may park, within
// the radius; parkPositions.end() when there is none.
std::vector<ParkPosition>::iterator gf_findStandNearPoint(const GeoPosition& point, const LiveAc& aircraft,
                                                          double radiusNm, bool allowOptionFallback);

// The first of the neighbour stands whose live aircraft would touch the
// aircraft parking on the target stand; neighbourIds.end() when none would.
std::vector<std::uint32_t>::const_iterator gf_findCollidingNeighbour(const std::vector<std::uint32_t>& neighbourIds,
                                                                     const ParkPosition& target,
                                                                     const LiveAc& aircraft);
