#include "airports/stand_names_seam.h"

#include <algorithm>

#include "airports/park_airports_seam.h"

std::string gf_standName(std::uint32_t standId) {
    if (standId == 0) {
        return "sid==0?";
    }
    const auto stand = std::find_if(parkPositions.begin(), parkPositions.end(),
                                    [&](const ParkPosition& position) { return position.standId == standId; });
    return stand == parkPositions.end() ? "unknown" : stand->name;
}
