#pragma once
// Mapping a number onto a short list of choices by thresholds, as the radius,
// height and count settings do when an older or computed value must become
// one of their choices.

#include <span>
#include <utility>

// (threshold, result) pairs, highest threshold first.
using ThresholdStep = std::pair<int, int>;

// The result of the first step whose threshold the value reaches; otherwise
// when it reaches none.
constexpr int gf_firstStepReached(int value, std::span<const ThresholdStep> steps, int otherwise) {
    for (const auto& [threshold, result] : steps) {
        if (value >= threshold) {
            return result;
        }
    }
    return otherwise;
}
