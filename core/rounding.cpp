#include "core/rounding.h"

#include <cmath>
#include <gsl/narrow>
#include <limits>

int gf_roundToInt(double value) {
    const double rounded = std::round(value);
    // Both limits of an int are exact doubles, so the comparison is exact;
    // NaN fails it too.
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max())) {
        throw gsl::narrowing_error{};
    }
    return static_cast<int>(rounded);
}
