#pragma once
// Curves through turns on the ground and the extra block halfway. A live
// aircraft that turns on the ground follows a quadratic Bezier curve from
// its position, with the next block as control point, to the block after
// it, so that it neither cuts the corner nor turns on the spot. The curve
// lives in local metres around its start: north = latitude difference x
// 111132.95, east = longitude difference x 111132.95 x cos(start latitude),
// the longitude difference taken the short way across the antimeridian.
// Worker thread only.
//
// Worked example: from (47.0, 8.0) with the control point 100 m north and
// the end 100 m north and 100 m east, the curve at u = 0.5 lies at
// 2 x 0.5 x 0.5 x control + 0.25 x end = 75 m north, 25 m east,
// that is at 47.000674867 degrees north and 8.000329848 east, heading
// atan2(100, 100) = 45 degrees; at u = 0 it heads north, at u = 1 east.

#include <optional>

#include "traffic/aircraft_records.h"

struct CurvePoint {
    double latDeg = 0.0;
    double lonDeg = 0.0;
    double headingRad = 0.0;  // 0 to 2 pi, the direction of travel
};

// The point of the curve at parameter t; empty when there is no curve
// (control point NaN) or t lies outside [t0, t1].
std::optional<CurvePoint> curvePointAt(const CurveState& curve, double t);

// A curve from the aircraft's position through the second block (control
// point) to the third (end); the second block is erased, so that the end
// is the next block the aircraft is timed to. A third block at 0 kt takes
// the mean speed of the first two. Needs three blocks; the caller sets the
// turn that the curve flies.
void makeCurve(LiveAc& aircraft);

// A block halfway between the front and the second block: the means of
// their positions, speeds, altitudes and playback ticks, airborne when the
// mean altitude is above 0 (else at 0 ft). Needs two blocks; throws
// gsl::narrowing_error when the mean tick is no i32.
void insertMidPoint(LiveAc& aircraft);

// A block halfway when the speed changes by more than 5 kt over a leg of
// 100 m or more on which the aircraft moves. Needs two blocks.
void checkSpeedChangeMidPoint(LiveAc& aircraft);
