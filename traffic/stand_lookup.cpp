#include "traffic/stand_lookup.h"

#include <algorithm>

#include "airports/airports_state.h"

ParkPosition* gf_findStandById(std::uint32_t standId) {
    if (standId == 0) {
        return nullptr;
    }
    const auto found = std::find_if(parkPositions.begin(), parkPositions.end(),
                                    [&](const ParkPosition& stand) { return stand.standId == standId; });
    return found == parkPositions.end() ? nullptr : &*found;
}
