#include "traffic/tick_counts.h"

#include <cmath>
#include <gsl/narrow>
#include <limits>

std::int32_t gf_wholeTicks(double ticks) {
    // A double beyond the range must not reach the conversion, which would
    // be undefined; NaN fails both comparisons.
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    if (!(ticks >= kLowest && ticks <= kHighest)) {
        throw gsl::narrowing_error{};
    }
    return gsl::narrow<std::int32_t>(ticks);
}

std::int32_t gf_ticksForDistance(double distanceNm, double speedKt) {
    return gf_wholeTicks(std::round(distanceNm * kTicksPerHour / speedKt));
}
