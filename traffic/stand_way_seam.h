#pragma once
// Seam: the way of a landed aircraft onto a stand, until it is built; its
// own module replaces this file whole. No stand is loaded before then, so
// no live aircraft holds one.

#include <cstdint>
#include <string>

#include "traffic/aircraft_records.h"

// The stand may be taken by the aircraft with the callsign (any live holder
// has been removed); here no live aircraft holds a stand, so it may.
bool isStandFreeFor(std::uint32_t standId, const std::string& callsign);

// A taxiing aircraft that stopped looks for a stand near its newest block
// (within 55 m when wide, else 20 m) and drives onto it. Here no stand is
// loaded, so none is found and nothing happens.
void try2Park(LiveAc& aircraft, bool wide);
