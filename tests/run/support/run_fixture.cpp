#include "run/support/run_fixture.h"

#include <gtest/gtest.h>

#include "core/core_state.h"
#include "platform/window/backend.h"
#include "platform/window/win32.h"

#include "core/run_flags.h"
#include "run/main_loop.h"
#include "run/program_start.h"
#include "run/run_state.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

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

TestMainWindow::TestMainWindow() {
    EXPECT_TRUE(platform::window::selectBackend(platform::window::Backend::headless));
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = u"Vantrel run test";
        return RegisterClassExW(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    MainWindow::hwnd = CreateWindowExW(0, u"Vantrel run test", u"Vantrel", WS_CAPTION, 0, 0, 880, 516, nullptr,
                                       nullptr, nullptr, nullptr);
}

TestMainWindow::~TestMainWindow() {
    DestroyWindow(MainWindow::hwnd);
    MainWindow::hwnd = nullptr;
    takePosted();
}

std::vector<unsigned> TestMainWindow::takePosted() {
    std::vector<unsigned> posted;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_PAINT) {
            posted.push_back(message.message);
        }
    }
    return posted;
}

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
    clearMessageLine();
    MainWindow::updateCounter = 0;
    MainWindow::oidAnswerText = "";
    MainWindow::minutesToRenewal = 0;
    MainWindow::liveCount = 0;
    MainWindow::rtConnected = false;
}

}  // namespace test
