#include "traffic/stand_fit.h"

#include <algorithm>

#include "core/half_hours.h"
#include "core/rounding.h"

std::vector<OptionSlot> lastOptionSlots;

namespace {

// All in nautical miles (1852 m each).
constexpr double kTooBigToleranceNm = 0.0009719222462203025;  // 1.8 m
constexpr double kSmallHalfSpanNm = 0.009611230689557531;     // 17.8 m
constexpr double kSmallSizeStepNm = 0.00755939524838013;      // 14 m
constexpr double kLargeSizeStepNm = 0.011339092872570195;     // 21 m

// A live aircraft records at most one stand option per this many half hours.
constexpr std::uint32_t kOptionSlotSpacing = 3;

OptionSlot* lf_findSlot(std::uint32_t aircraftId) {
    const auto found = std::find_if(lastOptionSlots.begin(), lastOptionSlots.end(),
                                    [&](const OptionSlot& slot) { return slot.aircraftId == aircraftId; });
    return found == lastOptionSlots.end() ? nullptr : &*found;
}

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

bool gf_takeStandOptionSlot(std::uint64_t timeOfWeek, std::uint32_t aircraftId, bool force) {
    const std::uint32_t halfHour = gf_halfHourOf(timeOfWeek);
    OptionSlot* slot = lf_findSlot(aircraftId);
    if (slot == nullptr) {
        lastOptionSlots.push_back({aircraftId, halfHour});
        return true;
    }
    if (!force && (halfHour + kHalfHoursPerDay - slot->halfHour) % kHalfHoursPerDay < kOptionSlotSpacing) {
        return false;
    }
    slot->halfHour = halfHour;
    return true;
}

void gf_setStandOptionSlot(std::uint32_t aircraftId, std::uint32_t halfHour) {
    if (OptionSlot* slot = lf_findSlot(aircraftId)) {
        slot->halfHour = halfHour;
    } else {
        lastOptionSlots.push_back({aircraftId, halfHour});
    }
}

void gf_forgetStandOptionSlot(std::uint32_t aircraftId) {
    std::erase_if(lastOptionSlots, [&](const OptionSlot& slot) { return slot.aircraftId == aircraftId; });
}
