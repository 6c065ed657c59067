#include "run/support/run_fixture.h"

#include <mutex>

#include "run/adding_stack.h"
#include "run/main_loop.h"
#include "run/program_start.h"
#include "run/run_flags.h"
#include "run/run_traffic.h"
#include "simlink/parking_controls.h"
#include "simlink/sim_link_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/traffic_manager_seam.h"
#include "ui/main_window.h"

namespace test {

FakeClock::FakeClock() {
    const auto start = std::chrono::steady_clock::time_point{} + std::chrono::hours{1};
    gf_setRunClock({[this, start] { return start + now_; },
                    [this](std::chrono::milliseconds duration) {
                        sleeps_.push_back(duration);
                        now_ += duration;
                        if (onSleep_) {
                            onSleep_();
                        }
                    }});
}

FakeClock::~FakeClock() { gf_setRunClock({}); }

RunTest::RunTest() { resetRunState(); }

RunTest::~RunTest() { resetRunState(); }

void RunTest::resetRunState() {
    runStopRequested = false;
    userCloseRequested = false;
    closingReason = ClosingReason::NotYetSet;
    restartDelaySec = 0;
    simDataArrived = false;
    flushStaticRequested = false;
    reReadRequested = false;
    gf_resetMainLoop();
    gf_setAcceptingFeed(false);
    simRunning = false;
    simRequestError = false;
    userOnGround = false;
    userHalfSpanNm = 0.0;
    staticParkingBusy = false;
    realTrafficOnThisPc = false;
    runUserAcData = {};
    liveAircraft.clear();
    parkedAircraft.clear();
    liveCreateQueue.clear();
    {
        const std::lock_guard lock(MainWindow::messageMutex);
        MainWindow::messageText.clear();
        MainWindow::errorText.clear();
        MainWindow::messageStamp = 0;
    }
    MainWindow::updateCounter = 0;
    MainWindow::oidAnswerText = "";
    MainWindow::minutesToRenewal = 0;
    MainWindow::liveCount = 0;
    MainWindow::rtConnected = false;
}

}  // namespace test
