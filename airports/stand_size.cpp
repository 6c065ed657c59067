#include "airports/stand_size.h"

#include "core/rounding.h"

namespace {

// All in nautical miles (1852 m each).
constexpr double kTooBigToleranceNm = 0.0009719222462203025;  // 1.8 m
constexpr double kSmallHalfSpanNm = 0.009611230689557531;     // 17.8 m
constexpr double kSmallSizeStepNm = 0.00755939524838013;      // 14 m
constexpr double kLargeSizeStepNm = 0.011339092872570195;     // 21 m

}  // namespace

bool gf_standBigEnough(const ParkPosition& stand, double halfSpanNm) {
    // Written so that a NaN half span counts as big enough, and then fails
    // the narrowing of its size score.
    return !(halfSpanNm - stand.radiusNm > kTooBigToleranceNm);
}

double gf_standSizeStepNm(double halfSpanNm) {
    return halfSpanNm <= kSmallHalfSpanNm ? kSmallSizeStepNm : kLargeSizeStepNm;
}

bool gf_standFitsSpan(const ParkPosition& stand, double halfSpanNm) {
    if (!gf_standBigEnough(stand, halfSpanNm)) {
        return false;
    }
    // Halves round away from zero.
    return gf_roundToInt((stand.radiusNm - halfSpanNm) / gf_standSizeStepNm(halfSpanNm)) == 0;
}
