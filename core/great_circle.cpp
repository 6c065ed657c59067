#include "core/great_circle.h"

#include <cmath>

namespace {

constexpr double kRadPerDeg = 0.017453292519943295;  // pi / 180
constexpr double kDegPerRad = 57.29577951308232;     // 180 / pi
constexpr double kTwoPi = 6.283185307179586;

// 2 x 10800 / pi: nautical miles per radian of the haversine half-angle
// (10800 nm is half the circumference when one minute of arc is one nm).
constexpr double kNmPerHalfAngleRad = 6875.493541569878;

// Radians of arc per foot on that sphere, whose radius is 20888146.4 ft
// (10800 / pi nm of 6076.11549 ft).
constexpr double kRadPerFt = 4.787404208238998e-8;

}  // namespace

double gf_greatCircleDistanceNm(const GeoPosition& from, const GeoPosition& to) {
    const double lat1 = from.latDeg * kRadPerDeg;
    const double lat2 = to.latDeg * kRadPerDeg;
    const double sinHalfDLat = std::sin((lat2 - lat1) / 2.0);
    const double sinHalfDLon = std::sin((to.lonDeg - from.lonDeg) * kRadPerDeg / 2.0);
    const double a = sinHalfDLat * sinHalfDLat + std::cos(lat2) * std::cos(lat1) * sinHalfDLon * sinHalfDLon;
    return std::atan2(std::sqrt(a), std::sqrt(1.0 - a)) * kNmPerHalfAngleRad;
}

double gf_initialBearingRad(const GeoPosition& from, const GeoPosition& to) {
    const double lat1 = from.latDeg * kRadPerDeg;
    const double lat2 = to.latDeg * kRadPerDeg;
    const double dLon = (to.lonDeg - from.lonDeg) * kRadPerDeg;
    const double theta = std::atan2(std::sin(dLon) * std::cos(lat2),
                                    std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon));
    return theta < 0.0 ? theta + kTwoPi : theta;
}

GeoPosition gf_destinationPoint(const GeoPosition& start, double bearingRad, double distanceFt) {
    const double delta = distanceFt * kRadPerFt;
    const double lat1 = start.latDeg * kRadPerDeg;
    const double lon1 = start.lonDeg * kRadPerDeg;
    const double lat2 =
        std::asin(std::sin(lat1) * std::cos(delta) + std::cos(lat1) * std::sin(delta) * std::cos(bearingRad));
    const double lon2 = lon1 + std::atan2(std::sin(bearingRad) * std::sin(delta) * std::cos(lat1),
                                          std::cos(delta) - std::sin(lat1) * std::sin(lat2));
    return {lat2 * kDegPerRad, std::remainder(lon2, kTwoPi) * kDegPerRad};
}
