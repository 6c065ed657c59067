#include "records/week_slot.h"

#include "core/calendar.h"

namespace {

constexpr std::int64_t kDayHalfHours = 48;
constexpr std::uint32_t kMonday = 1;
constexpr std::uint32_t kSunday = 7;

}  // namespace

std::uint64_t gf_timeOfWeekNow() {
    const auto [weekday, halfHour] = gf_currentWeekdayAndHalfHour();
    return gf_makeWeekSlot(static_cast<std::uint32_t>(weekday), static_cast<std::uint32_t>(halfHour));
}

std::uint64_t gf_weekSlotBack(std::uint64_t timeOfWeek, std::uint32_t halfHours) {
    std::uint32_t weekday = gf_weekdayOf(timeOfWeek);
    std::int64_t halfHour = std::int64_t{gf_halfHourOf(timeOfWeek)} - halfHours;
    while (halfHour < 0) {
        halfHour += kDayHalfHours;
        weekday = weekday <= kMonday ? kSunday : weekday - 1;
    }
    return gf_makeWeekSlot(weekday, static_cast<std::uint32_t>(halfHour));
}

std::uint64_t gf_nextWeekSlot(std::uint64_t timeOfWeek) {
    std::uint32_t weekday = gf_weekdayOf(timeOfWeek);
    std::uint32_t halfHour = gf_halfHourOf(timeOfWeek) + 1;
    if (halfHour >= kDayHalfHours) {
        halfHour = 0;
        weekday = weekday >= kSunday ? kMonday : weekday + 1;
    }
    return gf_makeWeekSlot(weekday, halfHour);
}

std::int64_t gf_halfHoursBetween(std::uint64_t earlier, std::uint64_t later) {
    const std::int64_t difference = gf_weekPlace(later) - gf_weekPlace(earlier);
    return difference < 0 ? difference + kHalfHoursPerWeek : difference;
}
