#include "traffic/support/sim_connection.h"

#include <mutex>
#include <stdexcept>

#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"

namespace test {

namespace sc = platform::simconnect;

DirectSimConnection::DirectSimConnection(const nlohmann::json& scenario, const std::filesystem::path& workingFolder)
    : sim(scenario) {
    sim.writeSimConnectCfg(workingFolder);
    sc::selectTargetSimulator(sc::TargetSimulator::Msfs2020);
    sc::Handle handle = nullptr;
    if (sc::SimConnect_Open(&handle, "Vantrel", nullptr, 0, nullptr, 0) < 0) {
        throw std::runtime_error("no connection to the stand-in simulator");
    }
    const std::lock_guard lock(simQueueMutex);
    hSimConnect = handle;
}

DirectSimConnection::~DirectSimConnection() {
    const std::lock_guard lock(simQueueMutex);
    sc::SimConnect_Close(hSimConnect);
    hSimConnect = nullptr;
}

}  // namespace test
