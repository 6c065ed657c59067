#pragma once
// The way of a live aircraft onto a stand of the park airport: a taxiing
// aircraft that stops near a stand takes it, the live aircraft on it and
// those on adjacent stands whose wings would touch make way, and it drives
// the last metres onto the stand at its stand taxi speed. Also the rule by
// which a stand held by a live aircraft may be given to another one.
// Worker thread only.

#include <cstdint>
#include <string>

#include "airports/park_stands.h"
#include "core/great_circle.h"
#include "traffic/aircraft_records.h"

// A taxiing aircraft whose newest block stands still looks for a stand near
// that block (within 55 m when wide, else 20 m), once per place. Never the
// stand kept for the user or the one the user stands on.
void try2Park(LiveAc& aircraft, bool wide);

// Appends the drive onto the stand (at the stand taxi speed, at least one
// second) and the stop on it half a second later; the aircraft turns into
// the stand's heading.
void drive2Stand(LiveAc& aircraft, const GeoPosition& stand, double standHeadingRad);

// The live aircraft parked or pushing back on the adjacent stand is removed
// when its wings and those of the aircraft parking on the stand would touch.
void removeAtAdjacentStand(std::uint32_t adjacentStandId, const LiveAc& parking, const ParkPosition& stand);

// The stand may be taken by the aircraft with the callsign; a live holder
// that gives way has been removed. The holder keeps it against a newcomer
// whose callsign is its own plus one character, against a newcomer with a
// trailing "_" when it has none, and while its reports confirm it there.
bool isStandFreeFor(std::uint32_t standId, const std::string& callsign);
