#include "core/calendar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/core_state.h"
#include "support/whole_match.h"

namespace {

// The feed helpers read the feed timestamp; every test leaves it at 0.
class FeedClock : public testing::Test {
protected:
    void TearDown() override { lastFeedTimestamp = 0.0; }
};

TEST(FormatTime, FixedWidthTextOrInvalidTime) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "Thu Jan 01 00:00:00 1970"},
        {1796807460, "Wed Dec 09 09:11:00 2026"},
        {1728993600, "Tue Okt 15 12:00:00 2024"},
        {1709249370, "Thu Feb 29 23:29:30 2024"},
        {253402300799, "Fri Dec 31 23:59:59 9999"},
        {253402300800, "Invalid time"},
        {-1, "Invalid time"},
        {std::numeric_limits<std::int64_t>::max(), "Invalid time"},
        {std::numeric_limits<std::int64_t>::min(), "Invalid time"},
    };
    for (const auto& [epochS, expected] : cases) {
        EXPECT_EQ(gf_formatTime(epochS), expected) << epochS;
    }
}

TEST(SystemClockTexts, TimeOfDayAndDateHaveTheirShape) {
    EXPECT_THAT(gf_currentTimeOfDay(), test::MatchesWhole("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]"));
    EXPECT_THAT(gf_currentDate(), test::MatchesWhole("[A-Z][a-z][a-z] [0-3][0-9], [0-9][0-9][0-9][0-9]"));
}

TEST_F(FeedClock, WeekdayAndHalfHourAtTheEdgesOfADayAndAWeek) {
    struct Case {
        double feedS;
        int weekday;
        int slot;
    };
    const Case cases[] = {
        {1704067200, 1, 0},    // Monday 00:00:00
        {1704104969, 1, 20},   // 10:29:29
        {1704104970, 1, 21},   // 10:29:30 counts as the next half hour
        {1704106799, 1, 21},   // 10:59:59
        {1704153599, 1, 47},   // 23:59:59
        {1704542400, 6, 24},   // Saturday 12:00:00
        {1704671999, 7, 47},   // Sunday 23:59:59, the last slot of the week
        {1704672000, 1, 0},    // and Monday 00:00:00 the first
        {1704104969.9, 1, 20}, // fractions of a second are cut off
    };
    for (const auto& c : cases) {
        lastFeedTimestamp = c.feedS;
        EXPECT_EQ(gf_currentWeekdayAndHalfHour(), std::make_pair(c.weekday, c.slot)) << std::fixed << c.feedS;
    }
    lastFeedTimestamp = 1704104970;
    EXPECT_EQ(gf_feedTimeOfDay(), "10:29:30");
}

// Until a record has arrived, and for a timestamp that is no time, the feed
// helpers follow the system clock instead of failing.
TEST_F(FeedClock, FollowsTheSystemClockWithoutAUsableTimestamp) {
    const double unusable[] = {0.0,
                               0.5,
                               -1.0,
                               -1e300,
                               1e300,
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    for (const double feedS : unusable) {
        lastFeedTimestamp = 0.0;
        const auto before = gf_currentWeekdayAndHalfHour();
        lastFeedTimestamp = feedS;
        const auto feed = gf_currentWeekdayAndHalfHour();
        const auto feedTime = gf_feedTimeOfDay();
        lastFeedTimestamp = 0.0;
        const auto after = gf_currentWeekdayAndHalfHour();
        EXPECT_TRUE(feed == before || feed == after) << feedS;
        EXPECT_THAT(feedTime, test::MatchesWhole("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]"));
    }
}

}  // namespace
