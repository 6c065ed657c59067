#pragma once
// Starts the stand-in simulator (vantrel-sim) as a process on a free port,
// with a scenario, in a scratch folder of its own, and talks to its control
// interface. The process ends with this object, or with the test process.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace vantrel::test {

class StandInSim {
public:
    explicit StandInSim(const nlohmann::json& scenario);
    ~StandInSim();
    StandInSim(const StandInSim&) = delete;
    StandInSim& operator=(const StandInSim&) = delete;

    std::uint16_t port() const { return port_; }
    // A scratch folder that lives as long as this object.
    const std::filesystem::path& folder() const { return folder_.path(); }
    // Writes SimConnect.cfg, pointing at this simulator, into the folder.
    void writeSimConnectCfg(const std::filesystem::path& folder) const;

    // Sends one control command and returns its JSON answer; throws
    // std::runtime_error when none comes within the time-out or the answer
    // is not ok.
    nlohmann::json command(const std::string& line,
                           std::chrono::milliseconds timeout = std::chrono::seconds{5});
    nlohmann::json state() { return command("state").at("state"); }
    nlohmann::json journal(std::uint64_t from = 0, const std::string& type = {},
                           std::chrono::milliseconds timeout = std::chrono::seconds{5});
    // Waits until the simulator has received `count` packets of the call
    // (commands and packets travel apart); the journal of that call.
    nlohmann::json waitForPackets(const std::string& type, std::size_t count,
                                  std::chrono::milliseconds timeout = std::chrono::seconds{5});

    // Asks for the state until the condition holds; the last state, or
    // throws std::runtime_error after the time-out.
    nlohmann::json waitForState(const std::function<bool(const nlohmann::json&)>& condition,
                                std::chrono::milliseconds timeout = std::chrono::seconds{5});

    // The object of the state whose field equals the value, or null.
    static const nlohmann::json* findObject(const nlohmann::json& state, const std::string& field,
                                            const nlohmann::json& value);

private:
    std::string readLine(std::chrono::milliseconds timeout);

    ::test::TempFolder folder_;
    std::unique_ptr<::test::ChildProcess> process_;
    int toSim_ = -1;
    int fromSim_ = -1;
    std::string pending_;
    std::uint16_t port_ = 0;
};

}  // namespace vantrel::test
