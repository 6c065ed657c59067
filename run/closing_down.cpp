#include "run/closing_down.h"

#include <chrono>
#include <exception>
#include <mutex>

#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/strings.h"
#include "liveries/livery_matching.h"
#include "run/feed_readers.h"
#include "run/realtraffic_link.h"
#include "run/run_clock.h"
#include "run/run_state.h"
#include "simlink/flight_plans.h"
#include "simlink/sim_client.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/lifecycle/matching_summary.h"
#include "traffic/lifecycle/park_airport_loading.h"
#include "traffic/lifecycle/spawning.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/manager/traffic_reset.h"
#include "traffic/traffic_state.h"
#include "ui/radius.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/program_resources.h"
#include "ui/status/status_reset.h"
#include "ui/ui_state.h"
#include "ui/window_procedure.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr milliseconds kReaderStopWait{500};
constexpr milliseconds kUserCloseWait{500};
constexpr seconds kNewFlightNotice{10};
constexpr seconds kCountdownStep{1};

// The message line writes nothing to the log while a run closes; the
// closing's own messages belong in it all the same.
void lf_showAndLog(const std::string& text) {
    gf_showMessage(text, false);
    gf_writeLogPlain(text);
}

bool lf_restartingReason(ClosingReason reason) {
    return reason == ClosingReason::NewSettings || reason == ClosingReason::SimConnectError ||
           reason == ClosingReason::ReaderError;
}

// Steps 1 to 7: the traffic, the simulator link, the readers and the link
// with RealTraffic stop.
void lf_stopTheRun() {
    gf_writeLog(fmtlib::format("Exiting: {}", gf_closingReasonText(closingReason)));
    gf_setAcceptingFeed(false);
    gf_stopSimClient();
    gf_requestReadersStop();
    gf_runClock().sleepFor(kReaderStopWait);
    gf_closeRealTrafficLink();
}

// After a SYSTEM ERROR the error stays on the screen until the user closes
// the window, or answers it with a setting that restarts the run (a packages
// folder typed after error 150).
void lf_waitForUserClose() {
    while (!userCloseRequested && closingReason == ClosingReason::SystemError) {
        gf_runClock().sleepFor(kUserCloseWait);
    }
    if (userCloseRequested) {
        lf_showAndLog(fmtlib::format("User closed {}", kProductName));
    }
}

// Steps 9 to 13: the aircraft, the flight plans, the run's settings and the
// run's summaries.
void lf_clearTheRun() {
    if (!parkAirport.load().code.empty()) {
        gf_reserveUserStand(runUserAcData);
        gf_removeGroundAircraft();
    }
    keptLiveries.clear();
    gf_removeFlightPlanFolder();
    DESTINATION.value = "";
    DESTINATION.save();
    BLOCK_CALLSIGN.value = "";
    BLOCK_CALLSIGN.save();
    ghostCallsigns.clear();
    gf_logLiveryMatchingSummary();
    gf_logUnmatched();
}

// Step 14: the countdown and the reset; false when the user closed the
// window, which ends the program instead.
bool lf_prepareRestart() {
    gf_clearError();
    gf_clearMessage();
    lf_showAndLog("Prepare for a restart ...");
    if (closingReason != ClosingReason::NewSettings) {
        for (BoolControlParameter* scan : {&SCAN_LIVERIES, &SCAN_AIRPORTS}) {
            scan->value = false;
            scan->save();
        }
    }
    if (!restartCountdown()) {
        return false;
    }
    resetRun();
    return true;
}

// Steps 14 and 15: true for a restart.
bool lf_decideOutcome() {
    const ClosingReason reason = closingReason;
    if (lf_restartingReason(reason) && !userCloseRequested) {
        return lf_prepareRestart();
    }
    if (reason == ClosingReason::NewFlight) {
        lf_showAndLog(fmtlib::format("New flight detected, {} will close, please restart manually ...", kProductName));
        gf_runClock().sleepFor(kNewFlightNotice);
    }
    return false;
}

// A step that throws is shown and logged, and the steps after it in its
// phase are skipped; false then.
template <class Steps>
bool lf_guarded(Steps steps) {
    try {
        steps();
        return true;
    } catch (const std::exception& error) {
        lf_showAndLog(fmtlib::format("{} exception {}", "lf_closingDown", error.what()));
    }
    return false;
}

}  // namespace

void lf_closingDown() {
    const bool stopped = lf_guarded(lf_stopTheRun);
    if (closingReason == ClosingReason::SystemError) {
        lf_waitForUserClose();
    }
    if (stopped) {
        lf_guarded(lf_clearTheRun);
    }
    bool restart = false;
    lf_guarded([&restart] { restart = lf_decideOutcome(); });
    restartRequested = restart;
    gf_postWorkerEnd(restart);
}

bool restartCountdown() {
    const std::int32_t delayS = restartDelaySec;
    if (delayS < 1) {
        return !userCloseRequested;
    }
    gf_writeLog(fmtlib::format("Restarting after {} seconds\n\n\n\n\n", delayS));
    for (std::int32_t left = delayS; left >= 1; --left) {
        if (userCloseRequested) {
            return false;
        }
        gf_showMessage(fmtlib::format("Restarting after {} second{}", left, gf_pluralSuffix(left)), false);
        gf_runClock().sleepFor(kCountdownStep);
    }
    return !userCloseRequested;
}

void resetRun() {
    // The simulator link's thread ends first: its state is reset only once
    // nothing can write it any more. The readers end within a second, and
    // the run's reset waits for them before it resets the feed's state and
    // before the traffic is cleared.
    gf_resetSimLink();
    gf_resetRunState();
    gf_clearAllAircraft();
    gf_resetStatusState();
    gf_resetCoreState();
    gf_resetUiState();
}
