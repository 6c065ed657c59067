#include "traffic/stand_search_seam.h"

std::string gf_findStandAtPosition(const GeoPosition& /*position*/) { return {}; }

std::vector<ParkPosition>::iterator gf_findStandNearPoint(const GeoPosition& /*point*/, const LiveAc& /*aircraft*/,
                                                          double /*radiusNm*/, bool /*allowOptionFallback*/) {
    return parkPositions.end();
}

std::vector<std::uint32_t>::const_iterator gf_findCollidingNeighbour(const std::vector<std::uint32_t>& neighbourIds,
                                                                     const ParkPosition& /*target*/,
                                                                     const LiveAc& /*aircraft*/) {
    return neighbourIds.end();
}
