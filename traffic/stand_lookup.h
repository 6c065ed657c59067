#pragma once
// A stand of the park airport (parkPositions) by its id: the one lookup that
// removal shares with the stands' own files. Worker thread only; no lock.

#include <cstdint>

#include "airports/park_stands.h"

// The first stand with the id; null when there is none (also for id 0).
ParkPosition* gf_findStandById(std::uint32_t standId);
