// The link's connection: which simulator answered, the registrations, the
// running state, and every way the connection or the run ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "platform/os/timer_resolution.h"
#include "platform/simconnect/wire.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/support/sim_link_fixture.h"
#include "simlink/user_aircraft.h"
#include "ui/status/main_window.h"

namespace {

namespace sc = platform::simconnect;
namespace wire = platform::simconnect::wire;
using nlohmann::json;
using test::SimLinkTest;
using test::waitUntil;

json lf_simulatorScenario(const std::string& name, std::vector<int> protocols) {
    json scenario = test::simScenario();
    scenario["simulator"] = name;
    scenario["protocols"] = std::move(protocols);
    return scenario;
}

// The link has ended and closed its connection, leaving nothing to call.
bool lf_linkEnded() {
    const std::lock_guard lock(simQueueMutex);
    return hSimConnect == nullptr && !simRunning && !MainWindow::simConnected;
}

struct IdentificationCase {
    std::string simulator;
    std::vector<int> protocols;
    bool msfs2020Selected;
    std::string shown;  // the simulator shown, or the error on red
    bool connected;     // the connection stays
};

class SimIdentification : public SimLinkTest, public testing::WithParamInterface<IdentificationCase> {};

TEST_P(SimIdentification, ShowsTheSimulatorOrTheErrorOfTheWrongOne) {
    const IdentificationCase& c = GetParam();
    startSim(lf_simulatorScenario(c.simulator, c.protocols), c.msfs2020Selected);
    startLink();
    if (c.connected) {
        ASSERT_TRUE(waitUntil([] { return simRunning.load(); }));
        EXPECT_EQ(MainWindow::simModeText.load(), c.shown);
        EXPECT_TRUE(logged(c.shown + " connected"));
        EXPECT_EQ(messageLine(), "");
        return;
    }
    ASSERT_TRUE(waitUntil([&] { return messageLine() == c.shown; })) << messageLine();
    ASSERT_TRUE(waitUntil([this] { return logged("SimConnect closed ok"); }));
    EXPECT_TRUE(lf_linkEnded());
    // A wrong simulator is the user's to mend: the run goes on, waiting.
    EXPECT_FALSE(runStopRequested);
    EXPECT_EQ(platform::raisedTimerPeriods, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Simulators, SimIdentification,
    testing::Values(
        IdentificationCase{"KittyHawk", {5, 4}, true, "MSFS 2020 (11.0.282174.999)", true},
        IdentificationCase{"SunRise", {6, 5, 4}, false, "MSFS 2024", true},
        IdentificationCase{"KittyHawk", {5, 4}, false,
                           "71: MSFS 2020 is running ..., switch Simulator, or select the right sim in the drop down "
                           "list above",
                           false},
        IdentificationCase{"SunRise", {6, 5, 4}, true,
                           "71: MSFS 2024 is running ..., switch Simulator, or select the right sim in the drop down "
                           "list above",
                           false},
        IdentificationCase{"KittyHawk !", {5, 4}, true,
                           "77: 'KittyHawk ' not being MSFS 2020 or MSFS 2024 connects ... ?", false}));

TEST_F(SimLinkTest, WaitsForTheSimulatorAndConnectsOnceItAnswers) {
    startSim();
    sim().command("exit");  // nobody answers the open
    startLink();
    ASSERT_TRUE(waitUntil([] { return messageLine() == "Waiting for MSFS 2020 ..."; }));
    EXPECT_FALSE(MainWindow::simConnected);
    startSim();
    EXPECT_TRUE(waitUntil([] { return simRunning && MainWindow::simConnected; }, std::chrono::seconds{10}));
}

TEST_F(SimLinkTest, RegistersEventsDefinitionsAndClientEventsInOrder) {
    connect();
    const json journal = sim().waitForPackets("SetNotificationGroupPriority", 1);
    std::vector<std::string> calls;
    for (const json& packet : sim().journal()) {
        const std::vector<std::byte> bytes = test::packetBytes(packet);
        const wire::Reader in(bytes);
        const std::string type = packet.at("type");
        if (type == "SubscribeToSystemEvent" || type == "MapClientEventToSimEvent") {
            calls.push_back(std::to_string(in.u32(16)) + " " + in.text(20, wire::kNameFieldSize));
        } else if (type == "AddToDataDefinition") {
            calls.push_back(std::to_string(in.u32(16)) + " " + in.text(20, wire::kNameFieldSize) + " [" +
                            in.text(276, wire::kNameFieldSize) + "] " + std::to_string(in.u32(532)));
        } else if (type == "AddClientEventToNotificationGroup") {
            calls.push_back("group " + std::to_string(in.u32(16)) + " " + std::to_string(in.u32(20)) + " " +
                            std::to_string(in.u32(24)));
        } else if (type == "SetNotificationGroupPriority") {
            calls.push_back("priority " + std::to_string(in.u32(16)) + " " + std::to_string(in.u32(20)));
        }
    }
    const std::vector<std::string> expected{
        "201 Sim", "202 ObjectAdded", "203 ObjectRemoved", "205 FlightLoaded", "204 Frame",
        "407 TITLE [] 11", "408 ATC MODEL [] 6", "409 SIM ON GROUND [Bool] 2",
        "402 Plane Latitude [degree] 4", "402 Plane Longitude [degree] 4", "402 Plane Pitch degrees [radians] 4",
        "402 Plane Bank degrees [radians] 4", "402 Plane Heading degrees true [radians] 4",
        "402 Plane Altitude [feet] 4", "402 Vertical Speed [feet per second] 4", "402 Airspeed True [knots] 4",
        "403 Plane Latitude [degree] 4", "403 Plane Longitude [degree] 4", "403 Plane Pitch degrees [radians] 4",
        "403 Plane Bank degrees [radians] 4", "403 Plane Heading degrees true [radians] 4",
        "403 Plane Altitude [feet] 4", "403 Plane Alt Above Ground [feet] 4", "403 Ground Velocity [knots] 4",
        "403 ZULU TIME [Seconds] 2", "403 ZULU DAY OF YEAR [Number] 2", "403 ZULU YEAR [Number] 2",
        "403 LIGHT STATES [Mask] 2", "405 Static CG to Ground [feet] 4", "405 Static Pitch [radians] 4",
        "406 Light On States [Mask] 2", "404 Plane Alt Above Ground [feet] 4", "404 Ground Altitude [feet] 4",
        "404 SIM ON GROUND [Bool] 2", "404 ATC ID [] 6", "401 SPOILERS HANDLE POSITION [percent] 4",
        "401 GENERAL ENG THROTTLE LEVER POSITION:1 [percent] 4",
        "401 GENERAL ENG THROTTLE LEVER POSITION:2 [percent] 4",
        "219 GEAR_SET", "220 ENGINE_AUTO_START", "221 ENGINE_AUTO_SHUTDOWN", "222 THROTTLE_SET", "217 FLAPS_SET",
        "218 SPOILERS_SET", "207 NAV_LIGHTS_SET", "206 BEACON_LIGHTS_SET", "210 LANDING_LIGHTS_SET",
        "208 TAXI_LIGHTS_SET", "209 STROBES_SET", "212 LOGO_LIGHTS_SET", "211 CABIN_LIGHTS_SET",
        "213 ALL_LIGHTS_TOGGLE", "214 FREEZE_LATITUDE_LONGITUDE_SET", "215 FREEZE_ALTITUDE_SET",
        "216 FREEZE_ATTITUDE_SET",
        "group 301 207 1", "group 301 206 1", "group 301 210 1", "group 301 208 1", "group 301 209 1",
        "group 301 212 1", "group 301 211 1", "group 301 213 1", "group 301 217 1", "group 301 218 1",
        "group 301 219 1", "group 301 221 1", "group 301 222 1", "group 301 214 1", "group 301 215 1",
        "group 301 216 1", "priority 301 1"};
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(logged("SIMCONNECT_EXCEPTION #7")) << "the stand-in refused a registration";
}

TEST_F(SimLinkTest, FollowsTheRunningStateAndPublishesTheFrameRate) {
    connect();
    EXPECT_TRUE(MainWindow::simRunningShown);
    sim().command("running off");
    ASSERT_TRUE(waitUntil([] { return !simRunning && !MainWindow::simRunningShown; }));
    sim().command("running on");
    ASSERT_TRUE(waitUntil([] { return simRunning && MainWindow::simRunningShown; }));
    EXPECT_TRUE(waitUntil([] { return simFrameRate == 60.0F; }));
}

TEST_F(SimLinkTest, LoadedFlightEndsTheRunForANewFlight) {
    connect();
    sim().command("flight-loaded");
    ASSERT_TRUE(waitUntil([] { return runStopRequested.load(); }));
    EXPECT_EQ(closingReason, ClosingReason::NewFlight);
    EXPECT_EQ(restartDelaySec, 45);
    EXPECT_TRUE(waitUntil([this] { return logged("===> SimConnect: New file event"); }));
}

TEST_F(SimLinkTest, LoadedFlightWhileStoppingKeepsTheFirstReason) {
    connect();
    gf_requestRunStop(ClosingReason::NewSettings, 3);
    sim().command("flight-loaded");
    ASSERT_TRUE(waitUntil([this] { return logged("===> SimConnect: New file event"); }));
    EXPECT_EQ(closingReason, ClosingReason::NewSettings);
    EXPECT_EQ(restartDelaySec, 3);
}

// The simulator quits, or its connection is cut: the run ends with SIM WAS
// CLOSED instead of waiting for a flight for ever.
class SimulatorGone : public SimLinkTest, public testing::WithParamInterface<const char*> {};

TEST_P(SimulatorGone, EndsTheRun) {
    connect();
    sim().command(GetParam());
    ASSERT_TRUE(waitUntil([] { return runStopRequested.load(); }));
    EXPECT_EQ(closingReason, ClosingReason::SimWasClosed);
    EXPECT_EQ(restartDelaySec, 0);
    EXPECT_TRUE(waitUntil([this] { return logged("SimConnect closed ok"); }));
    EXPECT_TRUE(lf_linkEnded());
    const std::vector<std::string> lines = log.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.ends_with(" Flight Simulator no longer connected, Vantrel will stop ...");
    }));
    EXPECT_EQ(platform::raisedTimerPeriods, 0);
}

INSTANTIATE_TEST_SUITE_P(QuitOrDrop, SimulatorGone, testing::Values("quit", "drop"));

// A user error during a flight closes the connection and leaves nothing that
// calls it: the handle is cleared and the flight counts as not running, so
// the worker neither calls the closed connection nor fills the queues; the
// error stays shown and the run is not restarted for it.
TEST_F(SimLinkTest, UserErrorDuringAFlightLeavesNoOneCallingTheClosedConnection) {
    connect();
    sim().command("exception 5 0 7");
    ASSERT_TRUE(waitUntil([] { return messageLine() == "95: SimConnect Version Mismatch, dwIndex: 7"; }))
        << messageLine();
    ASSERT_TRUE(waitUntil([this] { return logged("SimConnect closed ok"); }));
    EXPECT_TRUE(lf_linkEnded());
    EXPECT_FALSE(MainWindow::simRunningShown);
    EXPECT_EQ(platform::raisedTimerPeriods, 0);
    const std::size_t packets = sim().journal().size();
    gf_requestUserAircraftData();
    gf_requestUserAircraftTitle();
    EXPECT_FALSE(simRequestError);
    EXPECT_FALSE(runStopRequested);
    EXPECT_EQ(sim().journal().size(), packets);
    EXPECT_EQ(messageLine(), "95: SimConnect Version Mismatch, dwIndex: 7");
}

TEST_F(SimLinkTest, SimConnectErrorRestartsTheRunUnlessAReasonWasSetFirst) {
    gf_reportSimConnectError();
    EXPECT_TRUE(simRequestError);
    EXPECT_EQ(closingReason, ClosingReason::SimConnectError);
    EXPECT_EQ(restartDelaySec, 9);
    EXPECT_EQ(messageLine(), "SimConnect request error");

    test::resetSimLinkState();
    gf_requestRunStop(ClosingReason::ReaderError, 15);
    gf_reportSimConnectError();
    EXPECT_TRUE(simRequestError);
    EXPECT_EQ(closingReason, ClosingReason::ReaderError);
    EXPECT_EQ(restartDelaySec, 15);
}

}  // namespace
