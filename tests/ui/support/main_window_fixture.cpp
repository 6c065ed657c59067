#include "ui/support/main_window_fixture.h"

#include <mutex>

#include "airports/learned_airport_file.h"
#include "airports/park_airport_file.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "platform/window/backend.h"
#include "platform/window/headless.h"
#include "records/clock.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/scanner_state.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "ui/gui.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace test {

namespace {

void lf_registerMainWindowClass() {
    static const bool registered = gf_registerWindowClass(nullptr, kMainWindowTestTitle);
    ASSERT_TRUE(registered);
}

// What the status panel shows, at its start values: the main window's
// status fields, the park airport and the state of the static parking.
void lf_resetStatusFields() {
    for (SharedText* text : {&MainWindow::simModeText, &MainWindow::userTitleText, &MainWindow::userStandText,
                             &MainWindow::parkInfoText, &MainWindow::parkDetailText, &MainWindow::qfText,
                             &MainWindow::oidAnswerText}) {
        *text = "";
    }
    MainWindow::averageFitStatic = -1.0F;
    MainWindow::averageFitLive = -1.0F;
    for (auto* count : {&MainWindow::liveCount, &MainWindow::simaddonAirportCount, &MainWindow::thirdpAirportCount,
                        &MainWindow::liveryCount, &MainWindow::parkedLiveCount, &MainWindow::parkedStaticCount,
                        &MainWindow::standCount}) {
        *count = 0;
    }
    for (auto* number : {&MainWindow::maxParkPercent, &MainWindow::qnh, &MainWindow::maxParkCount,
                         &MainWindow::minutesToRenewal, &MainWindow::updateCount}) {
        *number = 0;
    }
    for (auto* flag : {&MainWindow::handmadeFile, &MainWindow::rtConnected, &MainWindow::parkAirportLoaded,
                       &MainWindow::simConnected, &MainWindow::simRunningShown, &MainWindow::softStandsUsed,
                       &MainWindow::reservedStandOk}) {
        *flag = false;
    }
    MainWindow::rtLightDark = true;
    MainWindow::userModelKnown = true;
    MainWindow::trafficReaderState = MainWindow::readerNotStarted;
    MainWindow::weatherReaderState = MainWindow::readerNotStarted;
    parkAirport = AirportRecord{};
    reservedStandText = "";
    parkingActive = false;
    staticParkingBusy = false;
    rtTrafficWeek = 0;
    tbloFileCount = 0;
    msfs2020Selected = false;
}

}  // namespace

std::vector<ControlBinding*> mainWindowControls() {
    return {&SIM_CHOICE,         &ALL_INSTALL_PATH,
            &SCAN_LIVERIES,      &LIG_AUTOMATIC,
            &AI_PACKAGE_SELECTOR, &LIG_PRIORITIZE,
            &SUPPRESS_STUB,      &LOG,
            &ALWAYS_ON_TOP,      &SCAN_AIRPORTS,
            &NAV_LIGHTS_WHILE_PARKED, &LEARN_SOFT,
            &MATCHING_DEPTH,     &LIGHT_AIRCRAFT,
            &HELICOPTERS,        &HIGH_PERF_AIRCRAFT,
            &AEROWINX,           &GUID_CHANGES,
            &RANGE,              &AUTO_RANGE,
            &AR_ABOVE_HEIGHT,    &CALLSIGN_OBJECTIDS,
            &COLLISION_USER_GND, &COLLISION_USER_AIR,
            &COLLISION_LIVE_PARKED_GND, &BLOCK_CALLSIGN,
            &unblockButton,      &CALLSIGN_2_OBJECTID,
            &MAX_PARK_SEL,       &MAX_LIVE_SEL,
            &DESTINATION,        &AIRP_RANGE,
            &AIRP_HEIGHT,        &STRAIGHT_PBS_ONLY,
            &PARK_FAKE,          &WEEK,
            &PARK_SOFT,          &parking_percentage,
            &INITIAL_LOAD_ONLY,  &MAX_FIT_FL,
            &reReadButton,       &flushStaticButton};
}

void resetMainWindowState() {
    clearMessageLine();
    MainWindow::updateCounter = 0;
    cycleCounter = 0;
    lf_resetStatusFields();
    runStopRequested = false;
    userCloseRequested = false;
    closingReason = ClosingReason::NotYetSet;
    restartDelaySec = 0;
    beforeFirstConnection = true;
    for (auto* request : {&flushStaticRequested, &reReadRequested, &blockCallsignRequested, &objectIdLookupRequested,
                          &parkedLightsRequested, &liveTrimRequested, &parkingRenewalRequested, &parkingParamsChanged}) {
        *request = false;
    }
}

MainWindowTest::MainWindowTest(platform::window::Backend backend) {
    EXPECT_TRUE(platform::window::selectBackend(backend));
    lf_registerMainWindowClass();
    resetMainWindowState();
    EXPECT_TRUE(initInstance(nullptr, kMainWindowTestTitle));
    pumpPending();
    platform::window::takeHeadlessPaints();
}

MainWindowTest::~MainWindowTest() {
    DestroyWindow(MainWindow::hwnd);
    MainWindow::hwnd = nullptr;
    for (ControlBinding* binding : mainWindowControls()) {
        binding->window = nullptr;
        binding->previousWindowProc = nullptr;
    }
    pumpPending();
    MSG quit{};
    PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE);  // the quit of WM_DESTROY
    platform::window::takeHeadlessPaints();
    resetMainWindowState();
}

void MainWindowTest::pumpPending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
        DispatchMessageW(&message);
    }
}

std::string MainWindowTest::messageLine() {
    const std::lock_guard lock(MainWindow::messageMutex);
    return MainWindow::errorText.empty() ? MainWindow::messageText : MainWindow::errorText;
}

std::vector<platform::window::DrawCall> MainWindowTest::paintWholeWindow() {
    gf_repaint(WindowRegion::Whole);
    pumpPending();
    std::vector<platform::window::PaintRecord> paints = platform::window::takeHeadlessPaints();
    EXPECT_EQ(paints.size(), 1U);
    return paints.empty() ? std::vector<platform::window::DrawCall>{} : paints.back().calls;
}

}  // namespace test
