#pragma once
// Small geometry of the report stream shared by the position update, the
// joining of new reports and the ground work: positions of blocks and
// aircraft, the tolerance by which two positions are the same, angles
// folded into -pi..pi, and the lag window.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/great_circle.h"
#include "core/units.h"
#include "records/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Two positions closer than this in latitude and in longitude are the same
// place: a report that repeats the one before.
inline constexpr double kSamePositionDeg = 1e-8;

inline GeoPosition gf_blockPosition(const ReportBlock& block) { return {block.latDeg, block.lonDeg}; }
inline GeoPosition gf_aircraftPosition(const LiveAc& aircraft) {
    return {aircraft.position.latitudeDeg, aircraft.position.longitudeDeg};
}

// Within the tolerance in latitude and in longitude.
inline bool gf_isWithinDeg(const GeoPosition& first, const GeoPosition& second, double toleranceDeg) {
    return std::fabs(first.latDeg - second.latDeg) <= toleranceDeg &&
           std::fabs(first.lonDeg - second.lonDeg) <= toleranceDeg;
}

// The angle folded into -pi..pi: 3/2 pi is -pi/2.
inline double gf_foldAngleRad(double angleRad) {
    return std::remainder(angleRad, 2.0 * std::numbers::pi);
}

// How far, in degrees (0 to 180), a bearing lies off a heading.
inline double gf_angleOffDeg(double bearingRad, double headingRad) {
    return std::fabs(gf_foldAngleRad(bearingRad - headingRad)) * kDegreesPerRadian;
}

// The lag window of a moving aircraft: 3000 ticks early, 3000 late, 5000
// late while it departs.
inline void gf_resetLagWindow(LiveAc& aircraft) {
    aircraft.maxEarlyTicks = 3000;
    aircraft.maxLateTicks = aircraft.departing ? 5000 : 3000;
}

// An aircraft that stands, climbs away or idles on the ground follows its
// reports ever more closely: each side of the lag window narrows by 100
// ticks, down to 1000 (a side already at or below 1000 stays).
inline void gf_narrowLagWindow(LiveAc& aircraft) {
    constexpr std::int32_t kShrinkTicks = 100;
    constexpr std::int32_t kFloorTicks = 1000;
    for (std::int32_t* side : {&aircraft.maxEarlyTicks, &aircraft.maxLateTicks}) {
        if (*side > kFloorTicks) {
            *side = std::max(*side - kShrinkTicks, kFloorTicks);
        }
    }
}
