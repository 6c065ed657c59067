#pragma once
// The stands of the park airport by position, for the stand searches of one
// pass over the live aircraft.
//
// While the tick moves every live aircraft, each one that stops on the
// ground or spawns there looks for the stand nearest to it; measuring the
// distance to every stand for each would make the tick grow with the square
// of the aircraft at a large airport. So during that pass the stands are
// sorted, at the first question, into cells of latitude and longitude, and
// a search measures only the stands of the cells around its point. Stands
// neither move nor come and go within the pass. Worker thread only.

#include <cstddef>
#include <vector>

#include "core/great_circle.h"

// Keeps the cells, once asked for, for as long as it lives; parkPositions
// must not change meanwhile but for the stands' sizes and options.
class StandsByPositionKeeper {
public:
    StandsByPositionKeeper();
    ~StandsByPositionKeeper();
    StandsByPositionKeeper(const StandsByPositionKeeper&) = delete;
    StandsByPositionKeeper& operator=(const StandsByPositionKeeper&) = delete;
};

// The places in parkPositions, ascending, of the stands that may lie within
// reachNm of the point: every stand that does and maybe a few beyond. False,
// and places untouched, when no pass keeps the cells or the point lies too
// near a pole or the date line for them: then every stand may.
bool gf_standPlacesNear(const GeoPosition& point, double reachNm, std::vector<std::size_t>& places);
