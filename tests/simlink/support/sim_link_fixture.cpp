#include "simlink/support/sim_link_fixture.h"

#include <algorithm>
#include <mutex>
#include <thread>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/sim_results.h"
#include "simlink/user_aircraft.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"

namespace sc = platform::simconnect;

namespace test {

nlohmann::json simScenario() {
    return {{"simulator", "KittyHawk"},
            {"frameRate", 60},
            {"titles", {kCreatableTitle}},
            {"createDelayFrames", 2},
            {"user",
             {{"title", "Cessna 152 Asobo"},
              {"atcModel", "C152"},
              {"latitudeDeg", 47.5},
              {"longitudeDeg", 8.5},
              {"altitudeFt", 1400.0},
              {"altAboveGroundFt", 0.0},
              {"onGround", true}}}};
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds{2});
    }
    return true;
}

void resetSimLinkState() {
    gf_resetSimLink();
    {
        const std::lock_guard lock(simResultMutex);
        simResults.clear();
    }
    simFrameRate = 0.0F;
    msfs2020Selected = false;
    userOnGround = false;
    simUtcSeconds = 0;
    userHalfSpanNm = 0.0;
    runStopRequested = false;
    userCloseRequested = false;
    closingReason = ClosingReason::NotYetSet;
    restartDelaySec = 0;
    simDataArrived = false;
    MainWindow::simConnected = false;
    MainWindow::simRunningShown = false;
    MainWindow::userModelKnown = true;
    MainWindow::simModeText = "";
    MainWindow::userTitleText = "";
    MainWindow::userStandText = "";
    gf_clearError();
    gf_clearMessage();
}

SimLinkTest::SimLinkTest() { resetSimLinkState(); }

SimLinkTest::~SimLinkTest() { resetSimLinkState(); }

void SimLinkTest::startSim(const nlohmann::json& scenario, bool msfs2020) {
    sim_ = std::make_unique<vantrel::test::StandInSim>(scenario);
    sim_->writeSimConnectCfg(log.folder().path());
    msfs2020Selected = msfs2020;
}

void SimLinkTest::startLink() {
    gf_reserveSimQueues();
    gf_startSimClient();
}

void SimLinkTest::connect(const nlohmann::json& scenario, bool msfs2020) {
    startSim(scenario, msfs2020);
    startLink();
    ASSERT_TRUE(waitUntil([] { return MainWindow::simConnected && simRunning; })) << messageLine();
}

std::vector<SimResult> SimLinkTest::takeResults() {
    const std::lock_guard lock(simResultMutex);
    return std::exchange(simResults, {});
}

std::vector<SimResult> SimLinkTest::waitForResults(SimResultKind kind, std::size_t count) {
    waitUntil([&] {
        for (const SimResult& result : takeResults()) {
            results_.push_back(result);
        }
        return std::count_if(results_.begin(), results_.end(),
                             [&](const SimResult& result) { return result.kind == kind; }) >=
               static_cast<std::ptrdiff_t>(count);
    });
    return std::exchange(results_, {});
}

void SimLinkTest::requestAircraftInRange() {
    const std::lock_guard lock(simQueueMutex);
    ASSERT_EQ(sc::SimConnect_RequestDataOnSimObjectType(hSimConnect, gf_simId(SimRequestId::AircraftInRange),
                                                        gf_simId(SimDefinitionId::AircraftInRange), 20000,
                                                        sc::SimObjectType::Aircraft),
              sc::kOk);
}

SimResult SimLinkTest::createAircraft(const std::string& tailNumber, std::uint32_t aircraftId, std::string_view title,
                                      double altitudeFt) {
    CreateRequest request;
    request.initPos = {47.501, 8.501, altitudeFt, 0.0, 0.0, 90.0, altitudeFt > 0.0 ? 0U : 1U, 0};
    request.tailNumber = tailNumber;
    request.liveryTitle = title;
    request.aircraftId = aircraftId;
    gf_queueCreate(request);
    SimResult found;
    waitUntil([&] {
        requestAircraftInRange();
        std::this_thread::sleep_for(std::chrono::milliseconds{20});
        for (const SimResult& result : takeResults()) {
            const bool created = result.kind == SimResultKind::LiveCreated ||
                                 result.kind == SimResultKind::StaticCreated ||
                                 result.kind == SimResultKind::CreateFailed;
            if (created && result.value == aircraftId) {
                found = result;
                return true;
            }
            results_.push_back(result);
        }
        return false;
    });
    return found;
}

std::vector<std::string> SimLinkTest::callsSince(std::uint64_t from, const std::vector<std::string>& types) {
    std::vector<std::string> calls;
    for (const nlohmann::json& entry : sim_->journal(from)) {
        const std::string type = entry.at("type");
        if (std::find(types.begin(), types.end(), type) != types.end()) {
            calls.push_back(type);
        }
    }
    return calls;
}

std::uint64_t SimLinkTest::journalEnd() {
    const nlohmann::json journal = sim_->journal();
    return journal.empty() ? 0 : journal.back().at("index").get<std::uint64_t>() + 1;
}

std::vector<std::byte> packetBytes(const nlohmann::json& entry) {
    const std::string hex = entry.at("hex");
    std::vector<std::byte> bytes;
    for (std::size_t index = 0; index + 1 < hex.size(); index += 2) {
        bytes.push_back(static_cast<std::byte>(std::stoul(hex.substr(index, 2), nullptr, 16)));
    }
    return bytes;
}

std::string SimLinkTest::messageLine() {
    const std::lock_guard lock(MainWindow::messageMutex);
    return MainWindow::errorText.empty() ? MainWindow::messageText : MainWindow::errorText;
}

bool SimLinkTest::logged(const std::string& line) const {
    const std::vector<std::string> lines = log.lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace test
