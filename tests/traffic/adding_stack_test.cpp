// The adding stack: arrival order, each aircraft's oldest and newest waiting
// report, and the cap at which the oldest report is dropped and counted.

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "traffic/intake/adding_stack.h"

namespace {

LiveAcUpdate lf_report(std::uint32_t aircraftId, double feedTimeS) {
    LiveAcUpdate report;
    report.aircraftId = aircraftId;
    report.feedTimestampS = feedTimeS;
    return report;
}

// (aircraft id, feed time) of every report, front first; empties the stack.
std::vector<std::pair<std::uint32_t, double>> lf_takeAll(AddingStack& stack) {
    std::vector<std::pair<std::uint32_t, double>> taken;
    while (std::optional<LiveAcUpdate> report = stack.takeFront()) {
        taken.emplace_back(report->aircraftId, report->feedTimestampS);
    }
    return taken;
}

using Taken = std::vector<std::pair<std::uint32_t, double>>;

TEST(AddingStack, KeepsEachAircraftsOldestAndNewestReportInArrivalOrder) {
    AddingStack stack;
    for (const auto& [id, time] : Taken{{20001, 1}, {20002, 1}, {20001, 2}, {20001, 3}, {20002, 2}, {20001, 4}}) {
        stack.push(lf_report(id, time));
    }
    EXPECT_EQ(stack.size(), 4U);
    // 20001's newest report takes the place of the one before it.
    EXPECT_EQ(lf_takeAll(stack), (Taken{{20001, 1}, {20002, 1}, {20001, 4}, {20002, 2}}));
    EXPECT_EQ(stack.takeDroppedCount(), 0U);
}

TEST(AddingStack, AReportAfterTheOldestWasTakenJoinsAtTheBack) {
    AddingStack stack;
    stack.push(lf_report(20001, 1));
    stack.push(lf_report(20001, 2));
    stack.push(lf_report(20002, 1));
    ASSERT_EQ(stack.takeFront()->feedTimestampS, 1.0);
    // 20001's report of time 2 is now its oldest; 3 is a newest of its own.
    stack.push(lf_report(20001, 3));
    stack.push(lf_report(20001, 4));
    EXPECT_EQ(lf_takeAll(stack), (Taken{{20001, 2}, {20002, 1}, {20001, 4}}));
}

TEST(AddingStack, AtTheCapTheOldestReportIsDroppedAndCounted) {
    AddingStack stack;
    stack.push(lf_report(20001, 1));
    stack.push(lf_report(20001, 2));
    for (std::uint32_t id = 30000; stack.size() < kAddingStackCap; ++id) {
        stack.push(lf_report(id, 1));
    }
    stack.push(lf_report(20002, 1));  // drops 20001's oldest
    EXPECT_EQ(stack.size(), kAddingStackCap);
    EXPECT_EQ(stack.takeDroppedCount(), 1U);
    EXPECT_EQ(stack.takeDroppedCount(), 0U);
    // 20001's newest report was kept and is now at the front.
    EXPECT_EQ(stack.takeFront()->feedTimestampS, 2.0);
    stack.push(lf_report(20001, 3));
    stack.push(lf_report(20001, 4));  // drops the front once more
    EXPECT_EQ(stack.takeDroppedCount(), 1U);
    const Taken taken = lf_takeAll(stack);
    ASSERT_EQ(taken.size(), kAddingStackCap);
    EXPECT_EQ(taken.front(), (std::pair<std::uint32_t, double>{30001, 1}));
    EXPECT_EQ(taken[taken.size() - 3], (std::pair<std::uint32_t, double>{20002, 1}));
    EXPECT_EQ(taken[taken.size() - 2], (std::pair<std::uint32_t, double>{20001, 3}));
    EXPECT_EQ(taken.back(), (std::pair<std::uint32_t, double>{20001, 4}));
}

TEST(AddingStack, AClearedStackForgetsItsAircraft) {
    AddingStack stack;
    stack.push(lf_report(20001, 1));
    stack.push(lf_report(20001, 2));
    stack.clear();
    EXPECT_TRUE(stack.empty());
    stack.push(lf_report(20001, 3));
    stack.push(lf_report(20001, 4));
    EXPECT_EQ(lf_takeAll(stack), (Taken{{20001, 3}, {20001, 4}}));
}

}  // namespace
