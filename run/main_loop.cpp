#include "run/main_loop.h"

#include <algorithm>
#include <chrono>
#include <mutex>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/calendar.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "platform/os/timer_resolution.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "run/feed_readers.h"
#include "run/realtraffic_link.h"
#include "run/run_clock.h"
#include "run/run_state.h"
#include "run/run_traffic.h"
#include "run/traffic_reader.h"
#include "run/work_cycle.h"
#include "run/work_schedule.h"
#include "simlink/parking_controls.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/lifecycle/callsign_object_ids.h"
#include "traffic/lifecycle/park_airport_check.h"
#include "traffic/lifecycle/park_airport_choice.h"
#include "traffic/lifecycle/simulator_results.h"
#include "traffic/lifecycle/static_aircraft.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/stands/live_parking.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kTickPeriod{10};
constexpr milliseconds kLongestSleep = std::chrono::hours{24};
// Paused ticks between two rounds of the paused work (one second).
constexpr std::int32_t kPausedTicksPerRound = 100;

// Ticks left until the paused work runs again.
std::int32_t pauseTickCountdown = 0;

bool lf_flightRunning() { return simRunning && !simRequestError; }

// The work of the cycle counts that are no multiple of 15.
void lf_runScheduledWork(const CycleWork& work) {
    if (work.staticParking) {
        gf_handleStaticParking(false);
    }
    if (work.readerLights) {
        updateReaderLights();
    }
    if (work.duplicateTest) {
        gf_removeStaticDuplicate();
    }
    if (work.parkedLog && CALLSIGN_OBJECTIDS.value && msfs2020Selected) {
        gf_writeCallsignObjectIds();
    }
}

// Every 15th cycle.
void lf_runPeriodicCycleWork() {
    TrafficReader::referencePosition = gf_userPosition(runUserAcData);
    sendQs123(simUtcSeconds);
    if (!reservedStandText.empty()) {
        gf_removeAircraftAtStand(reservedStandText);
    }
    handleReReadRequest();
    runPeriodicWork();
}

}  // namespace

void gf_setCurrentWeekSlot() {
    currentWeekSlot = gf_timeOfWeekNow();
}

void mainLoop() {
    gf_handleStaticParking(true);
    updateReaderLights();
    cycleCounter = 0;
    gf_setCurrentWeekSlot();
    gf_setAcceptingFeed(true);
    gf_enableControl(CALLSIGN_2_OBJECTID, true);
    const platform::OneMillisecondTimer timer;
    gf_paceTicks(doTick);
}

void gf_paceTicks(const std::function<bool()>& tick) {
    const RunClock& clock = gf_runClock();
    auto deadline = clock.now() + kTickPeriod;
    while (tick()) {
        const auto remaining = deadline - clock.now();
        if (std::chrono::duration_cast<milliseconds>(remaining).count() >= 1) {
            clock.sleepFor(std::min(std::chrono::ceil<milliseconds>(remaining), kLongestSleep));
        }
        if (simDataArrived) {
            deadline = clock.now();
        }
        deadline += kTickPeriod;
    }
}

bool doTick() {
    if (!lf_flightRunning()) {
        onFlightNotRunning();
        return !gf_stopFlagSet();
    }
    lf_handleAddingStack();
    if (!simDataArrived.exchange(false)) {
        // Without the simulator's second there is no work cycle; a stop must
        // end the loop all the same.
        return !gf_stopFlagSet();
    }
    runCycle();
    if (gf_stopFlagSet()) {
        return false;
    }
    const CycleWork work = gf_cycleWorkAt(cycleCounter, gf_renewalPrepared());
    if (work.periodic) {
        lf_runPeriodicCycleWork();
    } else {
        lf_runScheduledWork(work);
    }
    return true;
}

void onFlightNotRunning() {
    if (!flightPaused) {
        gf_setAcceptingFeed(false);
        flightPaused = true;
        pauseTickCountdown = kPausedTicksPerRound;
        {
            const std::lock_guard lock(simQueueMutex);
            positionBuffers.clearUnlocked();
        }
        gf_writeLog(fmtlib::format("{} Flight not running", gf_currentTimeOfDay()));
    }
    gf_processSimResults();
    --pauseTickCountdown;
    if (pauseTickCountdown % kPausedTicksPerRound == 0) {
        handleReReadRequest();
        gf_sendQs121();
    }
    if (pauseTickCountdown < 1) {
        pauseTickCountdown = kPausedTicksPerRound;
        refreshAircraftCounts();
        gf_setCurrentWeekSlot();
    }
}

void handleReReadRequest() {
    if (!reReadRequested || staticParkingBusy) {
        return;
    }
    std::string text;
    if (gf_checkParkAirports(true, text)) {
        gf_showMessage(text, true);
    }
    gf_enableControl(reReadButton, true);
    gf_enableControl(DESTINATION, true);
    reReadRequested = false;
}

void refreshAircraftCounts() {
    const auto liveCount = std::count_if(liveAircraft.begin(), liveAircraft.end(), [](const LiveAc& aircraft) {
        return aircraft.simState == SimState::Active && aircraft.groundPhase != GroundPhase::Parked;
    });
    if (liveCount != MainWindow::liveCount) {
        MainWindow::liveCount = liveCount;
        gf_repaint(WindowRegion::StatusBlock);
    }
    const std::int64_t liveParked = gf_countLiveParked(true);
    const std::int64_t staticParked = gf_countStaticParked(true);
    if (liveParked != MainWindow::parkedLiveCount || staticParked != MainWindow::parkedStaticCount) {
        MainWindow::parkedLiveCount = liveParked;
        MainWindow::parkedStaticCount = staticParked;
        gf_repaint(WindowRegion::Statistics);
    }
}

void gf_resetMainLoop() {
    flightPaused = false;
    pauseTickCountdown = 0;
    cycleCounter = 0;
    parkingRenewalRequested = false;
    blockCallsignRequested = false;
    objectIdLookupRequested = false;
    parkedLightsRequested = false;
    liveTrimRequested = false;
    gf_resetWorkCycle();
}
