#pragma once
// Times as the log and the main window show them, and the time of week by
// which static parking picks the aircraft that fit. All times are UTC, in
// whole seconds since 1970-01-01 00:00.
//
// The feed helpers run on the feed's clock: once RealTraffic has delivered a
// traffic record, the time of the last record stands for the current time;
// until then, and whenever the feed's timestamp is not a time (negative,
// beyond the year 9999 or not a number), the system clock does.

#include <cstdint>
#include <string>
#include <utility>

// 10000-01-01 00:00:00 UTC: the first time whose year no longer has four
// digits, which the fixed-width texts cannot show; no feed time reaches it.
inline constexpr std::int64_t kEndOfYear9999S = 253402300800;

// "Thu Jan 01 00:00:00 1970" (weekday, month, day, time of day, year; the
// month of October is "Okt"), or "Invalid time" for a time before 1970 or
// after the year 9999.
std::string gf_formatTime(std::int64_t epochS);

// "HH:MM:SS" of the system time and of the feed time.
std::string gf_currentTimeOfDay();
std::string gf_feedTimeOfDay();

// "Dec 09, 2026" of the system time.
std::string gf_currentDate();

// Weekday 1 to 7 (Monday 1, Sunday 7) and half-hour slot 0 to 47 of the feed
// time, both from the same instant. The slot counts a half hour from its
// minute 29 and second 30 on: 10:29:29 is slot 20, 10:29:30 slot 21.
std::pair<int, int> gf_currentWeekdayAndHalfHour();
