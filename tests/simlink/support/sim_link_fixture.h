#pragma once
// The simulator link against the stand-in simulator: a scenario of the
// test's own, Log.txt and SimConnect.cfg in a fresh working folder, and the
// link's, the run's and the window's shared state back at its start values
// after each test.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "records/sim_records.h"
#include "support/log_capture.h"
#include "support/stand_in_sim.h"

namespace test {

inline constexpr const char* kCreatableTitle = "Airbus A320 Neo Asobo";

// MSFS 2020 at 60 frames per second, a flight running, the user aircraft
// (object 1) on the ground at 47.5 N 8.5 E, one creatable title.
nlohmann::json simScenario();

// Waits (polling every 2 ms) until the condition holds; false after the
// time-out.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds{5});

class SimLinkTest : public testing::Test {
protected:
    SimLinkTest();
    ~SimLinkTest() override;

    // Starts the stand-in with the scenario; msfs2020 is the selected simulator.
    void startSim(const nlohmann::json& scenario = simScenario(), bool msfs2020 = true);
    // Reserves the queues and starts the link's thread.
    void startLink();
    // startSim, startLink, and waits until the flight runs on the connection.
    void connect(const nlohmann::json& scenario = simScenario(), bool msfs2020 = true);
    vantrel::test::StandInSim& sim() { return *sim_; }

    // The results handed over since the last call, taken as the traffic
    // manager takes them.
    std::vector<SimResult> takeResults();
    // Waits until `count` results of the kind have arrived; all results.
    std::vector<SimResult> waitForResults(SimResultKind kind, std::size_t count = 1);
    // Asks for the aircraft in range as the traffic manager does (request 101).
    void requestAircraftInRange();
    // Queues a creation near the user aircraft (on the ground unless an
    // altitude is given, feet above sea level) and asks for the aircraft in range
    // until the link reports the new object; that result (kind LiveCreated
    // or StaticCreated; CreateFailed when the simulator refused it).
    SimResult createAircraft(const std::string& tailNumber, std::uint32_t aircraftId,
                             std::string_view title = kCreatableTitle, double altitudeFt = 0.0);
    // The calls the simulator received from journal index `from` on whose
    // type is one of `types`, by type name, in order of arrival.
    std::vector<std::string> callsSince(std::uint64_t from, const std::vector<std::string>& types);
    // The journal index of the next packet to arrive.
    std::uint64_t journalEnd();
    // The text of the message line (the error when one is shown).
    static std::string messageLine();
    // Whether a line of Log.txt equals the text.
    bool logged(const std::string& line) const;

    LogCapture log;

private:
    std::unique_ptr<vantrel::test::StandInSim> sim_;
    std::vector<SimResult> results_;
};

// The bytes of a journal entry.
std::vector<std::byte> packetBytes(const nlohmann::json& entry);

// The link's, the run's and the window's shared state at start values.
void resetSimLinkState();

}  // namespace test
