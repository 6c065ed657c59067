#pragma once
// Whether a stand suits an aircraft's span: the rule that static and live
// parking and the demo traffic share.

#include "airports/park_stands.h"

// The aircraft is at most 1.8 m too big for the stand.
bool gf_standBigEnough(const ParkPosition& stand, double halfSpanNm);
// The size step between stands: 14 m for half spans up to 17.8 m, 21 m
// above.
double gf_standSizeStepNm(double halfSpanNm);

// The stand suits the half span: the aircraft is at most 1.8 m too big for
// it, and the stand is at most half a size step (14 m for half spans up to
// 17.8 m, 21 m above) larger than it needs. Throws gsl::narrowing_error when
// the step count is no 32-bit number (NaN, infinite, huge).
bool gf_standFitsSpan(const ParkPosition& stand, double halfSpanNm);
