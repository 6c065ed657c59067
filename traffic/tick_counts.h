#pragma once
// Tick counts of the report stream. A tick is 10 ms (100 per second); a leg
// of d nautical miles flown at v knots takes d x 360000 / v ticks (one knot
// is one nautical mile in 360000 ticks). Counts are computed as doubles,
// rounded, and must then be whole numbers that fit an i32: anything else
// (NaN, infinite, beyond the range) fails as a narrowing does.

#include <cstdint>

// Ticks in one hour: one knot covers one nautical mile in this many ticks.
inline constexpr double kTicksPerHour = 360000.0;

// The value as an i32; throws gsl::narrowing_error when it is not a whole
// number in the range.
std::int32_t gf_wholeTicks(double ticks);

// round(distanceNm x 360000 / speedKt) as an i32; throws
// gsl::narrowing_error when that is no whole number in the range (a speed
// of 0, for one).
std::int32_t gf_ticksForDistance(double distanceNm, double speedKt);
