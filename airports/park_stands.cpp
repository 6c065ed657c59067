#include "airports/park_stands.h"

#include "airports/airports_state.h"

#include <algorithm>
#include <utility>

namespace {

// Stand files and scenery give radii in metres; 1 / 1852.
constexpr double kNmPerMetre = 0.0005399568034557236;

}  // namespace

ParkPosition::ParkPosition(std::string standName, std::vector<ParkOption> standOptions, double latitudeDeg,
                           double longitudeDeg, double headingRadians, double radiusMetres, bool isCargo,
                           bool isRamp, bool isHeli)
    : options(std::move(standOptions)),
      name(std::move(standName)),
      latDeg(latitudeDeg),
      lonDeg(longitudeDeg),
      headingRad(headingRadians),
      radiusNm(radiusMetres * kNmPerMetre),
      cargo(isCargo),
      ramp(isRamp),
      heli(isHeli) {}

std::string gf_standName(std::uint32_t standId) {
    if (standId == 0) {
        return "sid==0?";
    }
    const auto stand = std::find_if(parkPositions.begin(), parkPositions.end(),
                                    [&](const ParkPosition& position) { return position.standId == standId; });
    return stand == parkPositions.end() ? "unknown" : stand->name;
}
