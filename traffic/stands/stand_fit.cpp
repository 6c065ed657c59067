#include "traffic/stands/stand_fit.h"

#include <algorithm>

#include "core/half_hours.h"
#include "traffic/traffic_state.h"

namespace {

// A live aircraft records at most one stand option per this many half hours.
constexpr std::uint32_t kOptionSlotSpacing = 3;

OptionSlot* lf_findSlot(std::uint32_t aircraftId) {
    const auto found = std::find_if(lastOptionSlots.begin(), lastOptionSlots.end(),
                                    [&](const OptionSlot& slot) { return slot.aircraftId == aircraftId; });
    return found == lastOptionSlots.end() ? nullptr : &*found;
}

}  // namespace

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
