#pragma once
// A stand of the park airport (parkPositions) by its id: the one lookup that
// removal shares with the stands' own files. Worker thread only; no lock.

#include <cstdint>

#include "airports/park_stands.h"

// The stand with the id; null when there is none (also for id 0). Ids are
// unique: the stand-file reader numbers the stands.
ParkPosition* gf_findStandById(std::uint32_t standId);
