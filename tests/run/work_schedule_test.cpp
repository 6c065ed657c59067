// The work due at each work-cycle count.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "run/work_schedule.h"

namespace {

auto lf_fields(const CycleWork& work) {
    return std::tuple(work.periodic, work.staticParking, work.readerLights, work.duplicateTest, work.parkedLog);
}

TEST(WorkSchedule, SpreadsTheWorkOverItsCycleCounts) {
    struct Case {
        std::uint32_t cycle;
        bool renewalPrepared;
        CycleWork expected;
    };
    const std::vector<Case> cases = {
        {1, false, {}},
        {15, false, {.periodic = true}},
        {240, false, {.periodic = true}},  // also 16 x 15: only the periodic work
        {16, false, {.staticParking = true}},
        {16, true, {}},  // between the two phases of a renewal
        {59, false, {.readerLights = true}},
        {976, false, {.staticParking = true, .duplicateTest = true}},  // 16 x 61
        {62, false, {.parkedLog = true}},
        {3658, false, {.readerLights = true, .parkedLog = true}},  // 59 x 62
    };
    for (const Case& row : cases) {
        EXPECT_EQ(lf_fields(gf_cycleWorkAt(row.cycle, row.renewalPrepared)), lf_fields(row.expected))
            << "cycle " << row.cycle;
    }
}

TEST(WorkSchedule, PeriodicWorkAtItsMultiples) {
    const auto fields = [](std::uint32_t cycle) {
        const PeriodicWork work = gf_periodicWorkAt(cycle);
        return std::tuple(work.autoRange, work.renewalMinutes, work.renewalRequest, work.dayEnd);
    };
    EXPECT_EQ(fields(15), std::tuple(false, false, false, false));
    EXPECT_EQ(fields(30), std::tuple(true, false, false, false));
    EXPECT_EQ(fields(60), std::tuple(true, true, false, false));
    EXPECT_EQ(fields(1200), std::tuple(true, true, true, false));
    EXPECT_EQ(fields(86400), std::tuple(true, true, true, true));
}

TEST(WorkSchedule, CountsTheMinutesToTheNextRenewal) {
    EXPECT_EQ(gf_minutesToRenewal(60), 19);
    EXPECT_EQ(gf_minutesToRenewal(1140), 1);
    EXPECT_EQ(gf_minutesToRenewal(1200), 20);
    EXPECT_EQ(gf_minutesToRenewal(2460), 19);
}

}  // namespace
