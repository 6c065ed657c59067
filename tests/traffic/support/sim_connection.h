#pragma once
// The traffic manager's SimConnect connection to a stand-in simulator of the
// test's own, opened directly (no simulator link): the calls the traffic
// manager makes itself reach the stand-in, whose journal shows them.

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/stand_in_sim.h"

namespace test {

class DirectSimConnection {
public:
    // Starts the stand-in with the scenario, writes SimConnect.cfg into the
    // working folder and sets hSimConnect to an MSFS 2020 connection.
    DirectSimConnection(const nlohmann::json& scenario, const std::filesystem::path& workingFolder);
    // Closes the connection; hSimConnect is null again.
    ~DirectSimConnection();
    DirectSimConnection(const DirectSimConnection&) = delete;
    DirectSimConnection& operator=(const DirectSimConnection&) = delete;

    vantrel::test::StandInSim sim;
};

}  // namespace test
