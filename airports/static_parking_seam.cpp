#include "airports/static_parking_seam.h"

namespace {

constexpr double kNoStandNm = 100.0;

}  // namespace

double gf_readDestApfForClosestStand(const std::string& /*icao*/, const GeoPosition& /*position*/,
                                     std::string& /*standId*/) {
    return kNoStandNm;
}
