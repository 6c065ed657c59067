#pragma once
// The stand on which a live aircraft that appears on the ground at the park
// airport is put, and the static aircraft that make way for it.

#include <cstdint>
#include <optional>

#include "airports/park_stands.h"
#include "traffic/aircraft_records.h"

// The stand under a newcomer on the ground near the park airport that has
// not moved over its reports; none elsewhere. A stand that cannot be freed
// drops the newcomer (eraseBuffered) rather than parking it beside a live
// aircraft.
std::optional<ParkPosition> gf_findStandForGroundSpawn(LiveAc& aircraft);
// Removes the static aircraft on the stand (cancelling a creation still
// queued) and those on its excluded stands that the newcomer would touch.
void makeWayForParking(const LiveAc& aircraft, const ParkPosition& stand);
void makeWayAtExcludedStand(const LiveAc& aircraft, std::uint32_t excludedStandId, const ParkPosition& stand);
