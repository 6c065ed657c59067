#include "traffic/stands/parked_fit.h"

#include "records/clock.h"
#include "records/week_slot.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

void gf_showAverageFit(std::atomic<float>& shown, const std::vector<std::uint64_t>& arrivalSlots) {
    const std::uint64_t now = currentWeekSlot.load();
    std::int64_t sumHalfHours = 0;
    for (const std::uint64_t arrival : arrivalSlots) {
        if (gf_weekPlace(arrival) <= gf_weekPlace(now)) {
            sumHalfHours += gf_halfHoursBetween(arrival, now);
        }
    }
    const float averageHours =
        arrivalSlots.empty()
            ? 0.0F
            : static_cast<float>(static_cast<double>(sumHalfHours) / (2.0 * static_cast<double>(arrivalSlots.size())) + 0.5);
    if (shown.exchange(averageHours) != averageHours) {
        gf_repaint(WindowRegion::Statistics);
    }
}
