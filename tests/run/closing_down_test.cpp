// Closing down: each closing reason leads to its restart after its delay or
// to the end of the program; the countdown; a close during the countdown;
// a failing step that still lets the window close; the reset of a run.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "run/closing_down.h"
#include "run/main_loop.h"
#include "run/run_state.h"
#include "run/support/run_fixture.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/window_procedure.h"

namespace {

using namespace std::chrono_literals;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;

class ClosingDown : public test::RunTest {
protected:
    // The run ends for the reason, as its setter ends it.
    static void endRun(ClosingReason reason, std::int32_t delaySec) {
        ASSERT_TRUE(gf_requestRunStop(reason, delaySec));
    }
    // The texts the message line showed at each sleep of the worker.
    std::vector<std::string> shownAtSleeps;
    test::FakeClock clock;
    test::TestMainWindow window;

    ClosingDown() {
        clock.onSleep([this] { shownAtSleeps.push_back(MainWindow::messageText); });
    }
    std::chrono::milliseconds sleptInTotal() const {
        std::chrono::milliseconds total{0};
        for (const auto sleep : clock.sleeps()) {
            total += sleep;
        }
        return total;
    }
};

TEST_F(ClosingDown, EachReasonRestartsAfterItsDelayOrEndsTheProgram) {
    struct Case {
        ClosingReason reason;
        std::int32_t delaySec;
        UINT posted;
        std::chrono::milliseconds slept;  // 500 ms for the readers' stop, the countdown, the notice
    };
    const std::vector<Case> cases = {
        {ClosingReason::SimWasClosed, 0, kEndProgramMessage, 500ms},
        {ClosingReason::NewFlight, 45, kEndProgramMessage, 10500ms},
        {ClosingReason::NewSettings, 3, kStartWorkerMessage, 3500ms},
        {ClosingReason::SimConnectError, 9, kStartWorkerMessage, 9500ms},
        {ClosingReason::ReaderError, 15, kStartWorkerMessage, 15500ms},
    };
    for (const Case& row : cases) {
        test::FakeClock rowClock;
        endRun(row.reason, row.delaySec);
        lf_closingDown();
        const std::string reason(gf_closingReasonText(row.reason));
        EXPECT_THAT(window.takePosted(), ElementsAre(row.posted)) << reason;
        std::chrono::milliseconds slept{0};
        for (const auto sleep : rowClock.sleeps()) {
            slept += sleep;
        }
        EXPECT_EQ(slept, row.slept) << reason;
        EXPECT_THAT(log.lines(), Contains("===> Exiting: " + reason));
        EXPECT_EQ(restartRequested, row.posted == kStartWorkerMessage) << reason;
        resetRunState();
    }
}

TEST_F(ClosingDown, ARestartAfterAnErrorSwitchesTheScansOffButNotForNewSettings) {
    endRun(ClosingReason::NewSettings, 0);
    lf_closingDown();
    EXPECT_TRUE(SCAN_LIVERIES.value);
    EXPECT_TRUE(SCAN_AIRPORTS.value);
    EXPECT_THAT(log.lines(), Contains("Prepare for a restart ..."));

    endRun(ClosingReason::ReaderError, 0);
    lf_closingDown();
    EXPECT_FALSE(SCAN_LIVERIES.value);
    EXPECT_FALSE(SCAN_AIRPORTS.value);
    EXPECT_EQ(fileValue("SCAN_LIVERIES"), "false");
    EXPECT_EQ(fileValue("SCAN_AIRPORTS"), "false");
    EXPECT_THAT(window.takePosted(), ElementsAre(kStartWorkerMessage, kStartWorkerMessage));
}

TEST_F(ClosingDown, TheCountdownShowsEachSecond) {
    restartDelaySec = 2;
    EXPECT_TRUE(restartCountdown());
    EXPECT_THAT(shownAtSleeps, ElementsAre("Restarting after 2 seconds", "Restarting after 1 second"));
    EXPECT_THAT(log.lines(), Contains("===> Restarting after 2 seconds"));

    shownAtSleeps.clear();
    restartDelaySec = 1;
    EXPECT_TRUE(restartCountdown());
    EXPECT_THAT(shownAtSleeps, ElementsAre("Restarting after 1 second"));

    shownAtSleeps.clear();
    restartDelaySec = 0;
    EXPECT_TRUE(restartCountdown());
    EXPECT_TRUE(shownAtSleeps.empty());
}

TEST_F(ClosingDown, AWindowClosedDuringTheCountdownEndsTheProgram) {
    clock.onSleep([this] {
        if (clock.sleeps().size() == 3) {  // the second second of the countdown
            gf_requestUserClose();
        }
    });
    endRun(ClosingReason::ReaderError, 15);
    lf_closingDown();
    EXPECT_THAT(window.takePosted(), ElementsAre(kEndProgramMessage));
    EXPECT_FALSE(restartRequested);
    EXPECT_EQ(sleptInTotal(), 2500ms);
}

TEST_F(ClosingDown, AfterASystemErrorTheErrorStaysUntilTheUserClosesTheWindow) {
    clock.onSleep([this] {
        if (clock.sleeps().size() == 4) {
            gf_requestUserClose();
        }
    });
    gf_showError("41: Vantrel must be run from the Vantrel folder!");
    endRun(ClosingReason::SystemError, 0);
    lf_closingDown();
    EXPECT_THAT(window.takePosted(), ElementsAre(kEndProgramMessage));
    EXPECT_EQ(sleptInTotal(), 2000ms);  // the readers' stop, then three waits of 500 ms
    EXPECT_EQ(MainWindow::errorText, "41: Vantrel must be run from the Vantrel folder!");
    EXPECT_THAT(log.lines(), Contains("User closed Vantrel"));
}

TEST_F(ClosingDown, AFailingStepStillLetsTheWindowClose) {
    runStopRequested = true;
    closingReason = static_cast<ClosingReason>(9);  // no text: the first step throws
    lf_closingDown();
    EXPECT_THAT(window.takePosted(), ElementsAre(kEndProgramMessage));
    EXPECT_THAT(log.lines(), Contains("lf_closingDown exception invalid unordered_map<K, T> key"));
}

TEST_F(ClosingDown, TheRunsSettingsAreEmptiedAndSaved) {
    DESTINATION.value = "LSZH";
    BLOCK_CALLSIGN.value = "SWR12";
    endRun(ClosingReason::SimWasClosed, 0);
    lf_closingDown();
    EXPECT_EQ(fileValue("DESTINATION"), "");
    EXPECT_EQ(fileValue("BLOCK_CALLSIGN"), "");
}

TEST_F(ClosingDown, ARestartResetsTheRun) {
    MainWindow::rtConnected = true;
    MainWindow::liveCount = 3;
    MainWindow::trafficReaderState = MainWindow::readerReceiving;
    cycleCounter = 77;
    flightPaused = true;
    parkingRenewalRequested = true;
    beforeFirstConnection = false;
    parkAirport = AirportRecord{"LSZH", "ZRH", 47.4647, 8.5492, 1416.0};
    parkAirports.push_back(ParkAirportEntry{"LSZH", "E23", 47.4647, 8.5492, 0.0});
    parkPositions.emplace_back();
    learnedUpdateCount = 3;
    endRun(ClosingReason::SimConnectError, 0);
    lf_closingDown();

    EXPECT_FALSE(runStopRequested);
    EXPECT_EQ(closingReason, ClosingReason::NotYetSet);
    EXPECT_FALSE(MainWindow::rtConnected);
    EXPECT_TRUE(MainWindow::rtLightDark);
    EXPECT_EQ(MainWindow::liveCount, 0);
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerNotStarted);
    EXPECT_EQ(cycleCounter, 0u);
    EXPECT_FALSE(flightPaused);
    EXPECT_FALSE(parkingRenewalRequested);
    EXPECT_TRUE(beforeFirstConnection);
    EXPECT_EQ(MainWindow::messageText, "");
    // The next run chooses its park airport afresh, and its stands are not
    // the old airport's.
    EXPECT_EQ(parkAirport.load().code, "");
    EXPECT_TRUE(parkAirports.empty());
    EXPECT_TRUE(parkPositions.empty());
    EXPECT_EQ(learnedUpdateCount, 0U);
}

}  // namespace
