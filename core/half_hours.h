#pragma once
// The half hours of a day in which a stand option applies: bit n stands for
// slot n of gf_currentWeekdayAndHalfHour, 0 for 00:00 to 00:29 and 47 for
// 23:30 to 23:59. Stand files keep the set as a comma list of slot numbers.

#include <bitset>
#include <string>
#include <string_view>

inline constexpr std::size_t kHalfHoursPerDay = 48;

using HalfHourSet = std::bitset<kHalfHoursPerDay>;

// "0,47" sets bits 0 and 47. Each piece, trimmed, is read as a decimal
// number from its start (characters after the digits are ignored); a piece
// without a number, or a number outside 0 to 47, is skipped with the log
// line "gf_hours2bitset invalid hour '{piece}' in {text}".
HalfHourSet gf_hours2bitset(std::string_view text);

// The set slots in ascending order, "0,47"; the empty set gives "".
std::string gf_bitset2hours(const HalfHourSet& hours);
