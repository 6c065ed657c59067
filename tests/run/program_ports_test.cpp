// The whole program against the stand-in simulator, with the readers on
// their fixed ports: the start-up steps in their order, each closing reason
// leading to its restart or to the end of the message loop, and the
// RealTraffic link with the RealTraffic peer.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/text_conversion.h"
#include "liveries/liveries_state.h"
#include "platform/net/tcp_socket.h"
#include "platform/net/udp_socket.h"
#include "platform/window/user32.h"
#include "platform/window/user_input.h"
#include "run/main_loop.h"
#include "run/realtraffic_link.h"
#include "run/support/feed_fixture.h"
#include "run/support/program_fixture.h"
#include "simlink/sim_client.h"
#include "simlink/simlink_state.h"
#include "support/rt_peer.h"
#include "ui/status/main_window.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::Contains;
using testing::HasSubstr;
using testing::Not;

// The simulator's clock in milliseconds since 1970, whole seconds, from its
// state's "zulu" (UTC time of day, day of the year, year).
std::uint64_t lf_simClockMs(const nlohmann::json& state) {
    const auto& zulu = state.at("zulu");
    const auto day = std::chrono::sys_days{std::chrono::year{zulu.at("year").get<int>()} / 1 / 1} +
                     std::chrono::days{zulu.at("dayOfYear").get<int>() - 1};
    const auto time = day + std::chrono::seconds{static_cast<std::int64_t>(
                                std::floor(zulu.at("timeOfDayS").get<double>()))};
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count());
}

// The number of a "Qs123=<ms>" line; nullopt for any other line.
std::optional<std::uint64_t> lf_qs123Milliseconds(const std::string& line) {
    constexpr std::string_view prefix = "Qs123=";
    if (!line.starts_with(prefix) || line.size() == prefix.size()) {
        return std::nullopt;
    }
    std::uint64_t milliseconds = 0;
    const char* end = line.data() + line.size();
    const auto [at, error] = std::from_chars(line.data() + prefix.size(), end, milliseconds);
    if (error != std::errc{} || at != end) {
        return std::nullopt;
    }
    return milliseconds;
}

class Program : public test::ProgramTest {
protected:
    std::size_t loggedCount(const std::string& text) const {
        const auto lines = programLog();
        return static_cast<std::size_t>(std::count_if(
            lines.begin(), lines.end(), [&text](const std::string& line) { return line.find(text) != line.npos; }));
    }
    bool waitForLog(const std::string& text) const {
        return waitFor([this, &text] { return loggedCount(text) > 0; });
    }
};

TEST_F(Program, StartsUpInOrderRunsItsLoopAndEndsWhenTheSimulatorQuits) {
    // No packages folder set yet: the simulator's UserCfg.opt (its Steam
    // place) names it.
    const fs::path packages = userFolder() / "MSFS" / "Packages";
    writeEntries({{"SCAN_AIRPORTS", "false"}});
    fs::create_directories(userFolder() / "Roaming" / "Microsoft Flight Simulator");
    test::writeBytes(userFolder() / "Roaming" / "Microsoft Flight Simulator" / "UserCfg.opt",
                     "Version 1\nInstalledPackagesPath \"" + packages.string() + "\"\n");
    const int exitCode = runProgram([this] {
        ASSERT_TRUE(waitForCycles(2));
        sim.command("quit");
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(loggedInOrder({
        "(utc) Vantrel version",
        " dbase records read",
        " airports read from 'input/airports_msfs.xml'",
        "UserCfg.opt: InstalledPackagesPath=" + packages.string(),
        "RealTraffic not detected at this PC",
        "liveries scan automatic starts",
        "1 liveries read from output/LiveriesScanned.xml",
        "Waiting for MSFS 2020 ...",
        "MSFS 2020 (11.0.282174.999) connected",
        "No traffic in this region?",
        "Flight Simulator no longer connected, Vantrel will stop ...",
        "===> Exiting: SIM WAS CLOSED",
    }));
    EXPECT_EQ(closingReason, ClosingReason::SimWasClosed);
    EXPECT_EQ(fileValue("MSFS_INSTALL_PATH"), packages.string());
    EXPECT_TRUE(fs::is_directory(folder() / "airports" / "learned" / "stock"));
    // Request 108, definition 409, once a second: the pace of the work cycle.
    const auto requests = sim.journal(0, "RequestDataOnSimObject");
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(), [](const nlohmann::json& request) {
        return request.dump().find("108") != std::string::npos;
    })) << requests.dump();
    EXPECT_EQ(fileValue("MAIN_WINDOW_X"), "400");  // the position saved at the end
}

TEST_F(Program, ClosingTheWindowEndsTheRunAndTheProgram) {
    runProgram([] {
        ASSERT_TRUE(waitForCycles(1));
        closeWindow();
    });
    EXPECT_EQ(closingReason, ClosingReason::UserClosedSim);
    EXPECT_EQ(loggedCount("===> Exiting: USER CLOSED SIM"), 1u);
    EXPECT_FALSE(simClientThread.joinable());  // the link's thread has ended with the program
}

TEST_F(Program, ANewFlightEndsTheProgramAfterItsNotice) {
    runProgram([this] {
        ASSERT_TRUE(waitForCycles(1));
        sim.command("flight-loaded");
    });
    EXPECT_TRUE(loggedInOrder({"===> Exiting: NEW FLIGHT",
                               "New flight detected, Vantrel will close, please restart manually ..."}));
    EXPECT_EQ(loggedCount("Exiting:"), 1u);
}

TEST_F(Program, AFailedSimConnectCallRestartsTheRun) {
    runProgram([this] {
        ASSERT_TRUE(waitForCycles(1));
        gf_reportSimConnectError();  // what a failed call does
        ASSERT_TRUE(waitForLog("===> Exiting: SIMCONNECT ERROR"));
        ASSERT_TRUE(waitFor([] { return closingReason == ClosingReason::NotYetSet; }));  // the run was reset
        ASSERT_TRUE(waitForCycles(1));  // the second run's loop
        closeWindow();
    });
    EXPECT_TRUE(loggedInOrder({"===> Exiting: SIMCONNECT ERROR", "===> Restarting after 9 seconds",
                               "RealTraffic not detected at this PC", "===> Exiting: USER CLOSED SIM"}));
    EXPECT_EQ(loggedCount(" dbase records read"), 1u);  // read once per program
    EXPECT_EQ(fileValue("SCAN_LIVERIES"), "false");
}

TEST_F(Program, ALiveryScanAskedForBeforeRealTrafficConnectsRestartsTheRunAndBuildsTheCatalogueAgain) {
    runProgram([this] {
        ASSERT_TRUE(waitForCycles(1));
        ASSERT_TRUE(beforeFirstConnection);
        // The user's click on "Scan for liveries", handled on the window's
        // thread while the worker runs.
        PostMessageW(MainWindow::hwnd, WM_COMMAND, MAKEWPARAM(SCAN_LIVERIES.controlId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(SCAN_LIVERIES.window.load()));
        ASSERT_TRUE(waitForLog("===> Exiting: NEW SETTINGS"));
        ASSERT_TRUE(waitFor([] { return closingReason == ClosingReason::NotYetSet; }));  // the run was reset
        ASSERT_TRUE(waitForCycles(1));
        closeWindow();
    });
    EXPECT_TRUE(loggedInOrder({"1 liveries read from output/LiveriesScanned.xml", "Your liveries will be scanned",
                               "===> Exiting: NEW SETTINGS", "===> Restarting after 2 seconds",
                               "liveries scan automatic starts", "1 liveries read from output/LiveriesScanned.xml",
                               "===> Exiting: USER CLOSED SIM"}));
    EXPECT_EQ(fileValue("SCAN_LIVERIES"), "false");  // switched off again by the finished scan
}

TEST_F(Program, AReaderThatCannotBindRestartsUnlessTheWindowIsClosedDuringTheCountdown) {
    std::error_code error;
    platform::net::UdpSocket occupied = platform::net::UdpSocket::open(error);
    ASSERT_TRUE(occupied.bind(platform::net::BindScope::AllInterfaces, 49004, error)) << error.message();
    runProgram([this] {
        ASSERT_TRUE(waitForLog("Restarting after 15 seconds"));
        closeWindow();
    });
    EXPECT_THAT(programLog(), Contains(HasSubstr("The QNH Reader has stopped with error: ")));
    EXPECT_EQ(loggedCount("===> Exiting: READER ERROR"), 1u);
    EXPECT_EQ(loggedCount("Exiting:"), 1u);  // no second run
}

TEST_F(Program, AnErrorOfTheStartUpStaysShownUntilTheWindowIsClosed) {
    fs::remove(folder() / "input" / "airports_msfs.xml");
    runProgram([] {
        ASSERT_TRUE(waitFor([] {
            const std::lock_guard lock(MainWindow::messageMutex);
            return MainWindow::errorText.starts_with("88: input/airports_msfs.xml not loaded: ");
        }));
        std::this_thread::sleep_for(100ms);
        EXPECT_FALSE(userCloseRequested);  // still waiting for the user
        closeWindow();
    });
    EXPECT_EQ(closingReason, ClosingReason::SystemError);
    EXPECT_TRUE(loggedInOrder({"===> Exiting: SYSTEM ERROR", "User closed Vantrel"}));
}

// Error 150 asks the user to type the packages folder; a valid one restarts
// the run, as the message line promises, although the start-up ended with a
// SYSTEM ERROR that waits for the window to be closed.
TEST_F(Program, APackagesFolderTypedAfterError150RestartsTheRun) {
    const std::string packages = (userFolder() / "MSFS" / "Packages").string();
    writeEntries({{"MSFS_INSTALL_PATH", ""}, {"SCAN_AIRPORTS", "false"}});
    runProgram([this, &packages] {
        ASSERT_TRUE(waitFor([] {
            const std::lock_guard lock(MainWindow::messageMutex);
            return MainWindow::errorText.starts_with("150: No install path detected");
        }));
        ASSERT_TRUE(platform::window::editText(ALL_INSTALL_PATH.window, gf_utf8ToUtf16(packages)));
        ASSERT_TRUE(platform::window::pressEnter(ALL_INSTALL_PATH.window));
        ASSERT_TRUE(waitForLog("Prepare for a restart ..."));
        ASSERT_TRUE(waitFor([] { return closingReason == ClosingReason::NotYetSet; }));  // the run was reset
        ASSERT_TRUE(waitForCycles(1));  // the second run's loop
        closeWindow();
    });
    EXPECT_TRUE(loggedInOrder({"===> Exiting: SYSTEM ERROR", "Prepare for a restart ...",
                               "===> Restarting after 3 seconds", "===> Exiting: USER CLOSED SIM"}));
    EXPECT_EQ(loggedCount("User closed Vantrel"), 0u);  // the restart ended the wait, not the user
    EXPECT_EQ(fileValue("MSFS_INSTALL_PATH"), packages);
}

TEST_F(Program, TalksToRealTrafficOverItsLinkAndWaitsForItWhenItVanishes) {
    fs::create_directories(userFolder() / "Roaming" / "InsideSystems");
    test::writeBytes(userFolder() / "Roaming" / "InsideSystems" / "RealTraffic.jar", "jar");
    std::error_code error;
    const std::uint16_t port = platform::net::TcpListener::listen("127.0.0.1", 0, error).port();
    writeEntries({{"MSFS_INSTALL_PATH", (userFolder() / "MSFS" / "Packages").string()},
                  {"SCAN_AIRPORTS", "false"},
                  {"PORT_NUMBER", std::to_string(port)}});
    std::unique_ptr<test::RtPeer> peer;
    int peerExit = -2;
    std::uint64_t simClockAfterQs123Ms = 0;
    const std::string userState = "Qs121=0;0;1.000000;1417000;0;0.828298;0.149191";
    runProgram([&] {
        ASSERT_TRUE(waitFor([] { return realTrafficServerPort() != 0; }));
        test::RtPeer::Options options;
        options.linkPort = port;
        // RealTraffic vanishes 3 s after it connected and comes back.
        peer = std::make_unique<test::RtPeer>(
            "0 qnh {\"QNH\":1013}\n3000 close\n3500 connect\n", options);
        // The simulator's clock runs from its start on: the time the first
        // Qs123 carries is at most the clock's once the line has arrived.
        ASSERT_TRUE(waitFor([&] { return peer->receivedLines().size() >= 2; }));
        simClockAfterQs123Ms = lf_simClockMs(sim.state());
        ASSERT_TRUE(waitForLog("RealTraffic re-connected"));
        const auto countStates = [&] {
            const auto lines = peer->receivedLines();
            return std::count(lines.begin(), lines.end(), userState);
        };
        const auto statesBefore = countStates();
        ASSERT_TRUE(waitFor([&] { return countStates() > statesBefore; }));  // the states resume
        closeWindow();
        // The peer ends with the thread that started it: it is waited for
        // here.
        peerExit = peer->waitForExit();
    });
    ASSERT_TRUE(peer);
    EXPECT_EQ(peerExit, 0) << peer->output();  // it ends after "exit"
    const auto lines = peer->receivedLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Qs999=version");
    // The simulator's time as the program last read it: from the scenario's
    // start (2025-04-10 12:00:00 UTC) on, in whole seconds; a loaded machine
    // may take a second or more from the simulator's start to the handshake.
    const auto qs123Ms = lf_qs123Milliseconds(lines[1]);
    ASSERT_TRUE(qs123Ms) << lines[1];
    EXPECT_EQ(*qs123Ms % 1000, 0u) << lines[1];
    EXPECT_GE(*qs123Ms, 1744286400000u) << lines[1];
    EXPECT_LE(*qs123Ms, simClockAfterQs123Ms) << lines[1];
    EXPECT_EQ(lines[2], userState);
    EXPECT_EQ(lines.back(), "exit");
    EXPECT_THAT(lines, Contains(userState));
    EXPECT_TRUE(loggedInOrder({"RealTraffic detected at this PC", "RealTraffic connected",
                               "RealTraffic gone? Wait for RealTraffic to re-connect ...",
                               "RealTraffic re-connected", "===> Exiting: USER CLOSED SIM"}));
}

}  // namespace
