#pragma once
// A time of week packed into one 64-bit word, as currentWeekSlot holds it:
// the weekday 1 (Monday) to 7 (Sunday) in the low 32 bits, the half hour of
// the day 0 to 47 in the high 32 bits. The slot after (d, 47) is (d + 1, 0),
// after (7, 47) it is (1, 0); a week has 336 half hours.

#include <cstdint>

inline constexpr std::int64_t kHalfHoursPerWeek = 336;

constexpr std::uint64_t gf_makeWeekSlot(std::uint32_t weekday, std::uint32_t halfHour) {
    return std::uint64_t{weekday} | (std::uint64_t{halfHour} << 32U);
}
constexpr std::uint32_t gf_weekdayOf(std::uint64_t timeOfWeek) { return static_cast<std::uint32_t>(timeOfWeek); }
// The half hour (0 to 47) of a time of week.
constexpr std::uint32_t gf_halfHourOf(std::uint64_t timeOfWeek) { return static_cast<std::uint32_t>(timeOfWeek >> 32); }

// The feed's weekday and half hour now (gf_currentWeekdayAndHalfHour).
std::uint64_t gf_timeOfWeekNow();

// The time of week so many half hours earlier: below half hour 0 it goes on
// at 47 of the weekday before (Monday's is Sunday).
std::uint64_t gf_weekSlotBack(std::uint64_t timeOfWeek, std::uint32_t halfHours);
// The half hour after the time of week.
std::uint64_t gf_nextWeekSlot(std::uint64_t timeOfWeek);

// Half hours from one time of week to a later one: weekday difference x 48
// plus half-hour difference, plus 336 when that is negative (the later one
// lies in the next week).
std::int64_t gf_halfHoursBetween(std::uint64_t earlier, std::uint64_t later);
// The place of a time of week in its week, weekday x 48 + half hour: which
// of two lies earlier in the week.
constexpr std::int64_t gf_weekPlace(std::uint64_t timeOfWeek) {
    return std::int64_t{gf_weekdayOf(timeOfWeek)} * 48 + gf_halfHourOf(timeOfWeek);
}
