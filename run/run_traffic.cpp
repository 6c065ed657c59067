#include "run/run_traffic.h"

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "liveries/livery_catalog.h"
#include "records/sim_ids.h"
#include "run/main_loop.h"
#include "run/program_start.h"
#include "run/qnh_reader.h"
#include "run/realtraffic_link.h"
#include "run/run_clock.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/manager/traffic_reset.h"
#include "traffic/traffic_state.h"
#include "ui/radius.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

namespace sc = platform::simconnect;
using std::chrono::milliseconds;

constexpr std::uint16_t kQnhPort = 49004;
constexpr std::uint16_t kTrafficPort = 49005;
constexpr milliseconds kFlightWaitStep{100};
constexpr milliseconds kUserDataWaitStep{500};
constexpr milliseconds kPositionWaitStep{200};
constexpr milliseconds kTrafficWaitStep{100};
constexpr int kTrafficWaitSteps = 150;  // 15 s
constexpr milliseconds kTrafficReaderDelay{2000};

// Reader threads not yet ended, and the wait for their end.
// Its place in the lock order: docs/locks.md.
std::mutex readerMutex;  // guards runningReaders' changes for the wait; a leaf lock
std::condition_variable readersEnded;
int runningReaders = 0;

void lf_startReader(void (*body)(std::uint16_t), std::uint16_t port) {
    {
        const std::lock_guard lock(readerMutex);
        ++runningReaders;
    }
    try {
        std::thread([body, port] {
            body(port);
            const std::lock_guard lock(readerMutex);
            --runningReaders;
            readersEnded.notify_all();
        }).detach();
    } catch (...) {
        const std::lock_guard lock(readerMutex);
        --runningReaders;
        throw;
    }
}

void lf_repaintStatus() { gf_repaint(WindowRegion::StatusBlock); }

// Request 108: SIM ON GROUND of the user aircraft once a second; its reply
// paces the work cycle. A failure is reported and the run goes on until the
// main loop sees the stop.
void lf_requestSimOnGround() {
    const std::lock_guard lock(simQueueMutex);
    if (hSimConnect == nullptr) {
        return;  // the link has ended; its end stops the run
    }
    if (sc::SimConnect_RequestDataOnSimObject(hSimConnect, gf_simId(SimRequestId::UserOnGround),
                                              gf_simId(SimDefinitionId::UserOnGround), sc::kObjectIdUser,
                                              sc::Period::Second) < 0) {
        gf_writeLog("SimConnect request ac gnd/air fails");
        gf_reportSimConnectError();
    }
}

bool lf_userPositionKnown() { return gf_isPositionKnown(gf_userPosition(runUserAcData)); }

// Renews the run's copy of the user data every step until done() holds.
bool lf_copyUserDataUntil(milliseconds step, bool (*done)()) {
    while (!done()) {
        runUserAcData = gf_requestUserAircraftData();
        gf_runClock().sleepFor(step);
        if (gf_stopFlagSet()) {
            return false;
        }
    }
    return !gf_stopFlagSet();
}

}  // namespace

bool requestUserOnGround() {
    if (!gf_waitInSteps(kFlightWaitStep, [] { return simRunning && !simRequestError; })) {
        return false;
    }
    lf_requestSimOnGround();
    if (!lf_copyUserDataUntil(kUserDataWaitStep, [] { return userOnGroundKnown && lf_userPositionKnown(); })) {
        return false;
    }
    gf_requestUserAircraftTitle();
    return lf_copyUserDataUntil(kPositionWaitStep, lf_userPositionKnown);
}

void warnNoTraffic() {
    for (int step = 0; step < kTrafficWaitSteps && std::trunc(TrafficReader::feedTimestamp.load()) == 0.0; ++step) {
        if (gf_stopFlagSet()) {
            return;
        }
        gf_runClock().sleepFor(kTrafficWaitStep);
    }
    if (std::trunc(TrafficReader::feedTimestamp.load()) == 0.0) {
        gf_writeLogPlain("No traffic in this region?");
    }
}

void gf_startQnhReader() { lf_startReader(runQnhReader, kQnhPort); }

void gf_startTrafficReader() { lf_startReader(runTrafficReader, kTrafficPort); }

void gf_waitForReadersToEnd(milliseconds limit) {
    std::unique_lock lock(readerMutex);
    readersEnded.wait_for(lock, limit, [] { return runningReaders == 0; });
}

void runTraffic() {
    userStateSender = gf_sendQs121;
    for (std::atomic<bool>* light : {&MainWindow::rtConnected, &MainWindow::simConnected}) {
        *light = false;
        lf_repaintStatus();
    }
    gf_reserveTrafficContainers();
    gf_reserveLiveryCatalog();
    gf_reserveSimQueues();
    gf_startSimClient();
    if (!requestUserOnGround()) {
        return;
    }
    if (AUTO_RANGE.value) {
        gf_updateAutoRange();
        gf_enableControl(RANGE, false);
    }
    const bool linkWanted = realTrafficOnThisPc && !AEROWINX.value;
    if (linkWanted) {
        openServer(PORT_NUMBER.value);
    } else {
        MainWindow::rtConnected = true;
        lf_repaintStatus();
    }
    if (gf_stopFlagSet()) {
        return;
    }
    MainWindow::rtLightDark = false;
    lf_repaintStatus();
    if (!AEROWINX.value) {
        waitForRealTraffic();
        sendQs123(simUtcSeconds);
    }
    if (gf_stopFlagSet()) {
        return;
    }
    gf_setAcceptingFeed(false);
    gf_startQnhReader();
    if (!gf_sleepUnlessStopped(kTrafficReaderDelay, kTrafficWaitStep)) {
        return;
    }
    gf_startTrafficReader();
    gf_sendQs121();
    TrafficReader::referencePosition = gf_userPosition(runUserAcData);
    warnNoTraffic();
    gf_setCurrentWeekSlot();
    mainLoop();
}
