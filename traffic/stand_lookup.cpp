#include "traffic/stand_lookup.h"

#include <algorithm>

#include "airports/airports_state.h"

ParkPosition* gf_findStandById(std::uint32_t standId) {
    if (standId == 0) {
        return nullptr;
    }
    // The stand-file reader numbers the stands 1, 2, ... in their order: a
    // stand numbered so is found at once, any other by the search.
    if (standId <= parkPositions.size() && parkPositions[standId - 1].standId == standId) {
        return &parkPositions[standId - 1];
    }
    const auto found = std::find_if(parkPositions.begin(), parkPositions.end(),
                                    [&](const ParkPosition& stand) { return stand.standId == standId; });
    return found == parkPositions.end() ? nullptr : &*found;
}
