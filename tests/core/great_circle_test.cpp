#include "core/great_circle.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFtPerNm = 6076.11549;

TEST(GreatCircle, KnownDistancesBothWays) {
    struct Case {
        GeoPosition from;
        GeoPosition to;
        double distanceNm;
    };
    const Case cases[] = {
        {{47.46, 8.55}, {47.46, 8.55}, 0.0},
        {{0, 0}, {1, 0}, 60.0},                // one degree along a meridian
        {{0, 0}, {0, 1}, 60.0},                // one degree along the equator
        {{10, 179.5}, {11, -179.5}, 84.1448},  // across the date line
        {{89, 0}, {89, 180}, 120.0},           // over the pole
        {{0, 0}, {0, 180}, 10800.0},           // half the circumference
        {{51.4700, -0.4543}, {40.6413, -73.7781}, 2989.35},  // London Heathrow to New York JFK
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(gf_greatCircleDistanceNm(c.from, c.to), c.distanceNm, 1e-4 * c.distanceNm + 1e-9)
            << c.from.latDeg << "," << c.from.lonDeg;
        EXPECT_DOUBLE_EQ(gf_greatCircleDistanceNm(c.from, c.to), gf_greatCircleDistanceNm(c.to, c.from));
    }
}

TEST(GreatCircle, InitialBearingsAreNeverNegative) {
    struct Case {
        GeoPosition from;
        GeoPosition to;
        double bearingRad;
    };
    const Case cases[] = {
        {{0, 0}, {1, 0}, 0.0},                // north
        {{0, 0}, {0, 1}, kPi / 2},            // east
        {{0, 0}, {-1, 0}, kPi},               // south
        {{0, 0}, {0, -1}, 3 * kPi / 2},       // west
        {{0, 179.5}, {0, -179.5}, kPi / 2},   // east across the date line
        {{0, -179.5}, {0, 179.5}, 3 * kPi / 2},
        {{0, 0}, {1, 1}, kPi / 4},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(gf_initialBearingRad(c.from, c.to), c.bearingRad, 1e-4) << c.to.latDeg << "," << c.to.lonDeg;
    }
}

TEST(GreatCircle, DestinationPointWrapsAtTheDateLine) {
    struct Case {
        GeoPosition start;
        double bearingRad;
        double distanceNm;
        GeoPosition expected;
    };
    const Case cases[] = {
        {{0, 179.9}, kPi / 2, 30.0, {0, -179.6}},  // eastwards over 180
        {{0, -179.9}, 3 * kPi / 2, 30.0, {0, 179.6}},
        {{0, 0}, 0.0, 60.0, {1, 0}},
        {{47.0, 8.0}, 1.0, 0.0, {47.0, 8.0}},
    };
    for (const auto& c : cases) {
        const auto reached = gf_destinationPoint(c.start, c.bearingRad, c.distanceNm * kFtPerNm);
        EXPECT_NEAR(reached.latDeg, c.expected.latDeg, 1e-6);
        EXPECT_NEAR(reached.lonDeg, c.expected.lonDeg, 1e-6);
    }
}

TEST(GreatCircle, DestinationPointLiesAtItsDistanceAndBearing) {
    const GeoPosition start{52.3, 4.76};
    for (const double bearingRad : {0.3, 2.0, 4.0, 6.0}) {
        const auto reached = gf_destinationPoint(start, bearingRad, 12.5 * kFtPerNm);
        EXPECT_NEAR(gf_greatCircleDistanceNm(start, reached), 12.5, 1e-6);
        EXPECT_NEAR(gf_initialBearingRad(start, reached), bearingRad, 1e-6);
    }
}

}  // namespace
