#include "core/calendar.h"

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <optional>
#include <string_view>

#include "core/core_state.h"
#include "core/format.h"

namespace {

// Indexed by month 1 to 12 and by weekday 1 (Monday) to 7 (Sunday); entry 0
// stands for any index outside the table.
constexpr std::array<std::string_view, 13> kMonthNames = {
    "???", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dec"};
constexpr std::array<std::string_view, 8> kWeekdayNames = {"???", "Mon", "Tue", "Wed",
                                                           "Thu", "Fri", "Sat", "Sun"};

constexpr int kSlotsPerDay = 48;

template <std::size_t N>
std::string_view lf_nameAt(const std::array<std::string_view, N>& names, int index) {
    return index > 0 && static_cast<std::size_t>(index) < N ? names[static_cast<std::size_t>(index)]
                                                            : names[0];
}

// Worked out from the Gregorian calendar itself rather than by the C runtime,
// whose gmtime_s on Windows stops at the year 3000.
std::optional<std::tm> lf_breakDownUtc(std::int64_t epochS) {
    if (epochS < 0 || epochS >= kEndOfYear9999S) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const sys_seconds time{seconds{epochS}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    std::tm parts{};
    parts.tm_year = static_cast<int>(date.year()) - 1900;
    parts.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
    parts.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.tm_hour = static_cast<int>(clock.hours().count());
    parts.tm_min = static_cast<int>(clock.minutes().count());
    parts.tm_sec = static_cast<int>(clock.seconds().count());
    parts.tm_wday = static_cast<int>(weekday{day}.c_encoding());
    return parts;
}

// Monday 1 to Sunday 7 (std::tm counts Sunday 0).
int lf_weekday(const std::tm& parts) { return parts.tm_wday == 0 ? 7 : parts.tm_wday; }

std::int64_t lf_systemTime() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The feed timestamp, read once, truncated to whole seconds; the system time
// while it is 0 or when it is not a time at all.
std::int64_t lf_feedTime() {
    const double feedS = lastFeedTimestamp.load();
    if (!std::isfinite(feedS) || feedS < 0.0 || feedS >= static_cast<double>(kEndOfYear9999S)) {
        return lf_systemTime();
    }
    const auto truncatedS = static_cast<std::int64_t>(feedS);
    return truncatedS == 0 ? lf_systemTime() : truncatedS;
}

std::string lf_timeOfDay(std::int64_t epochS) {
    const auto parts = lf_breakDownUtc(epochS);
    if (!parts) {
        return "Invalid time";
    }
    return fmtlib::format("{:02}:{:02}:{:02}", parts->tm_hour, parts->tm_min, parts->tm_sec);
}

}  // namespace

std::string gf_formatTime(std::int64_t epochS) {
    const auto parts = lf_breakDownUtc(epochS);
    if (!parts) {
        return "Invalid time";
    }
    return fmtlib::format("{:3} {:3} {:02} {:02}:{:02}:{:02} {:4}", lf_nameAt(kWeekdayNames, lf_weekday(*parts)),
                          lf_nameAt(kMonthNames, parts->tm_mon + 1), parts->tm_mday, parts->tm_hour,
                          parts->tm_min, parts->tm_sec, parts->tm_year + 1900);
}

std::string gf_currentTimeOfDay() { return lf_timeOfDay(lf_systemTime()); }

std::string gf_feedTimeOfDay() { return lf_timeOfDay(lf_feedTime()); }

std::string gf_currentDate() {
    const auto parts = lf_breakDownUtc(lf_systemTime());
    if (!parts) {
        return "Invalid time";
    }
    return fmtlib::format("{} {:02}, {:4}", lf_nameAt(kMonthNames, parts->tm_mon + 1), parts->tm_mday,
                          parts->tm_year + 1900);
}

std::pair<int, int> gf_currentWeekdayAndHalfHour() {
    const auto parts = lf_breakDownUtc(lf_feedTime());
    if (!parts) {
        return {-1, -1};
    }
    const bool secondHalf = parts->tm_min > 29 || (parts->tm_min == 29 && parts->tm_sec >= 30);
    const int slot = (parts->tm_hour * 2 + (secondHalf ? 1 : 0)) % kSlotsPerDay;
    return {lf_weekday(*parts), slot};
}
