#include "records/sim_records.h"

#include <cmath>

namespace {

// Degrees from 0 within which a coordinate means "no position yet".
constexpr double kNoPositionDeg = 0.0001;

}  // namespace

bool gf_isPositionKnown(const GeoPosition& position) {
    return std::abs(position.latDeg) > kNoPositionDeg || std::abs(position.lonDeg) > kNoPositionDeg;
}
