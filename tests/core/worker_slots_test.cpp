#include "core/core_state.h"
#include "core/worker_slots.h"

#include <gtest/gtest.h>

#include <future>

#include "core/run_flags.h"

namespace {

class WorkerSlots : public testing::Test {
protected:
    void SetUp() override {
        savedMaxWorkers_ = maxWorkers;
        runningWorkers = 0;
    }
    void TearDown() override {
        maxWorkers = savedMaxWorkers_;
        runningWorkers = 0;
        runStopRequested = false;
        userCloseRequested = false;
    }

private:
    int savedMaxWorkers_ = 0;
};

TEST_F(WorkerSlots, AWaitEndsWhenAWorkerReleasesItsSlot) {
    maxWorkers = 8;
    runningWorkers = 8;
    auto waiting = std::async(std::launch::async, gf_waitForWorkerSlot);
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    gf_releaseWorkerSlot();
    EXPECT_TRUE(waiting.get());
    EXPECT_EQ(runningWorkers, 7);
}

// A processor that reports no hardware threads still gives one slot.
TEST_F(WorkerSlots, ALimitBelowOneStillGivesOneSlot) {
    EXPECT_GE(maxWorkers, 1);
    maxWorkers = 0;
    auto waiting = std::async(std::launch::async, gf_waitForWorkerSlot);
    const bool returned = waiting.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!returned) {
        runStopRequested = true;  // ends the wait, so that the test fails instead of hanging
    }
    EXPECT_TRUE(returned);
    EXPECT_TRUE(waiting.get());
}

TEST_F(WorkerSlots, StopFlagsEndTheWait) {
    for (auto* flag : {&runStopRequested, &userCloseRequested}) {
        maxWorkers = 1;
        runningWorkers = 1;
        auto waiting = std::async(std::launch::async, gf_waitForWorkerSlot);
        flag->store(true);
        EXPECT_FALSE(waiting.get());
        flag->store(false);
    }
}

}  // namespace
