#include "traffic/stands/coupled_callsigns.h"

#include <algorithm>
#include <string>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/half_hours.h"
#include "records/week_slot.h"
#include "traffic/stands/stand_options.h"

namespace {

constexpr std::int64_t kHeavyWindowHalfHours = 14;
constexpr std::int64_t kWindowHalfHours = 10;
constexpr std::int64_t kLastHalfHour = 47;

HalfHourSet lf_halfHoursAround(std::uint32_t halfHour, std::int64_t window) {
    HalfHourSet mask;
    const std::int64_t last = std::min(std::int64_t{halfHour} + window, kLastHalfHour);
    for (std::int64_t slot = std::max(std::int64_t{halfHour} - window, std::int64_t{0}); slot <= last; ++slot) {
        mask.set(static_cast<std::size_t>(slot));
    }
    return mask;
}

}  // namespace

void lf_searchForCoupledCsAroundThisTime(std::uint64_t timeOfWeek, LiveAc& aircraft) {
    LiveAcStrings& strings = aircraft.identity.strings;
    const HalfHourSet around = lf_halfHoursAround(
        gf_halfHourOf(timeOfWeek),
        aircraft.identity.category == AircraftCategory::Heavy ? kHeavyWindowHalfHours : kWindowHalfHours);
    const auto weekday = static_cast<std::int32_t>(gf_weekdayOf(timeOfWeek));
    const std::string callsign = gf_storedCallsign(strings.callsign);
    for (const ParkPosition& stand : parkPositions) {
        for (const ParkOption& option : stand.options) {
            if (gf_optionCounts(option) && option.day == weekday && (option.timeSlots & around).any() &&
                option.airline == strings.airline && !option.callsignSuffix.empty() &&
                (option.callsign == callsign || option.callsignSuffix == callsign)) {
                strings.firstCallsign = option.callsign;
                strings.coupledCallsign = option.callsignSuffix;
                return;
            }
        }
    }
}
