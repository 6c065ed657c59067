#include "core/core_state.h"
#include "core/run_flags.h"

#include <gtest/gtest.h>

namespace {

class RunFlags : public ::testing::Test {
protected:
    void SetUp() override { lf_reset(); }
    void TearDown() override { lf_reset(); }

    static void lf_reset() {
        runStopRequested = false;
        userCloseRequested = false;
        closingReason = ClosingReason::NotYetSet;
        restartDelaySec = 0;
    }
};

TEST_F(RunFlags, TheFirstReasonWinsWithItsDelay) {
    EXPECT_TRUE(gf_requestRunStop(ClosingReason::ReaderError, 15));
    EXPECT_FALSE(gf_requestRunStop(ClosingReason::SystemError, 0));
    gf_requestUserClose();
    EXPECT_TRUE(runStopRequested);
    EXPECT_TRUE(userCloseRequested);
    EXPECT_EQ(closingReason, ClosingReason::ReaderError);
    EXPECT_EQ(restartDelaySec, 15);
}

TEST_F(RunFlags, AUserCloseSetsItsReasonOnlyWhileNoneIsSet) {
    gf_requestUserClose();
    EXPECT_EQ(closingReason, ClosingReason::UserClosedSim);
    EXPECT_FALSE(gf_requestRunStop(ClosingReason::NewSettings, 3));
    EXPECT_EQ(closingReason, ClosingReason::UserClosedSim);
}

}  // namespace

namespace {

TEST(ClosingReasonText, NamesEachReasonAndRefusesOtherCodes) {
    EXPECT_EQ(gf_closingReasonText(ClosingReason::NotYetSet), "NOT YET SET");
    EXPECT_EQ(gf_closingReasonText(ClosingReason::SimConnectError), "SIMCONNECT ERROR");
    EXPECT_EQ(gf_closingReasonText(ClosingReason::SystemError), "SYSTEM ERROR");
    EXPECT_THROW(gf_closingReasonText(static_cast<ClosingReason>(8)), std::out_of_range);
}

}  // namespace
