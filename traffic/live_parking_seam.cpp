#include "traffic/live_parking_seam.h"

#include "traffic/stream_geometry.h"

namespace {

constexpr double kOnStandWithinNm = 0.0010799136069114472;  // 2 m

}  // namespace

void lf_learnCargoAttribute(LiveAc& /*aircraft*/) {}

void checkMaxPark(std::uint8_t /*extra*/) {}

void lf_arriveAtStand(LiveAc& aircraft) {
    const double distanceNm =
        gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), {aircraft.standLatDeg, aircraft.standLonDeg});
    gf_setGroundPhase(aircraft, distanceNm > kOnStandWithinNm ? GroundPhase::Taxi : GroundPhase::Parked);
}
