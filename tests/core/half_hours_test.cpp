#include "core/half_hours.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/log_capture.h"

namespace {

using testing::ElementsAre;

TEST(HalfHours, ListOfSlotsToSetAndBack) {
    const std::pair<const char*, std::vector<std::size_t>> cases[] = {
        {"", {}},
        {"0,47", {0, 47}},
        {"16, 17 ,18", {16, 17, 18}},
        {"12h,013", {12, 13}},
        {"5,5", {5}},
    };
    for (const auto& [text, slots] : cases) {
        HalfHourSet expected;
        for (const auto slot : slots) {
            expected.set(slot);
        }
        EXPECT_EQ(gf_hours2bitset(text), expected) << text;
    }
    HalfHourSet hours;
    hours.set(47).set(0).set(21);
    EXPECT_EQ(gf_bitset2hours(hours), "0,21,47");
    EXPECT_EQ(gf_bitset2hours({}), "");
    EXPECT_EQ(gf_hours2bitset(gf_bitset2hours(hours)), hours);
}

TEST(HalfHours, InvalidEntriesAreLoggedAndSkipped) {
    const test::LogCapture log;
    const auto hours = gf_hours2bitset("0,47,48,x,-1,99999999999,");
    EXPECT_EQ(gf_bitset2hours(hours), "0,47");
    EXPECT_THAT(log.lines(),
                ElementsAre("===> gf_hours2bitset invalid hour '48' in 0,47,48,x,-1,99999999999,",
                            "===> gf_hours2bitset invalid hour 'x' in 0,47,48,x,-1,99999999999,",
                            "===> gf_hours2bitset invalid hour '-1' in 0,47,48,x,-1,99999999999,",
                            "===> gf_hours2bitset invalid hour '99999999999' in 0,47,48,x,-1,99999999999,",
                            "===> gf_hours2bitset invalid hour '' in 0,47,48,x,-1,99999999999,"));
}

}  // namespace
