#pragma once
// Seam: the stand at a position, until the traffic manager's stand search is
// built; its own module replaces this file whole. No park airport's stands
// are loaded before then, so no position has a stand.

#include <string>

#include "core/great_circle.h"

// The name of the nearest stand of the park airport within 55 m of the
// position; empty when there is none. Worker thread only.
std::string gf_findStandAtPosition(const GeoPosition& position);
