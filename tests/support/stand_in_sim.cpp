#include "support/stand_in_sim.h"

#include <array>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace vantrel::test {

namespace {

void lf_writeAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(fd, text.data() + written, text.size() - written);
        if (count <= 0) {
            throw std::runtime_error("vantrel-sim does not take commands");
        }
        written += static_cast<std::size_t>(count);
    }
}

}  // namespace

StandInSim::StandInSim(const nlohmann::json& scenario) {
    const std::filesystem::path scenarioPath = folder_ / "scenario.json";
    std::ofstream(scenarioPath) << scenario.dump(2);
    const std::string executable = VANTREL_BINARY_DIR "/tools/sim/vantrel-sim";
    std::array<int, 2> input{};
    std::array<int, 2> output{};
    if (::pipe2(input.data(), O_CLOEXEC) != 0 || ::pipe2(output.data(), O_CLOEXEC) != 0) {
        throw std::runtime_error("no pipes for vantrel-sim");
    }
    process_ = std::make_unique<::test::ChildProcess>(
        std::vector<std::string>{executable, "--port", "0", scenarioPath.string()}, input[0], output[1]);
    ::close(input[0]);
    ::close(output[1]);
    toSim_ = input[1];
    fromSim_ = output[0];
    const auto first = nlohmann::json::parse(readLine(std::chrono::seconds{10}));
    port_ = first.at("listening").at("port").get<std::uint16_t>();
}

StandInSim::~StandInSim() {
    process_.reset();
    ::close(toSim_);
    ::close(fromSim_);
}

void StandInSim::writeSimConnectCfg(const std::filesystem::path& folder) const {
    std::ofstream(folder / "SimConnect.cfg") << "[SimConnect]\nProtocol=IPv4\nAddress=127.0.0.1\nPort=" << port_
                                               << "\n";
}

std::string StandInSim::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const auto end = pending_.find('\n'); end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd entry{fromSim_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            throw std::runtime_error("no answer from vantrel-sim");
        }
        char buffer[65536];
        const ssize_t count = ::read(fromSim_, buffer, sizeof buffer);
        if (count <= 0) {
            throw std::runtime_error("vantrel-sim has ended");
        }
        pending_.append(buffer, static_cast<std::size_t>(count));
    }
}

nlohmann::json StandInSim::command(const std::string& line, std::chrono::milliseconds timeout) {
    lf_writeAll(toSim_, line + "\n");
    nlohmann::json answer = nlohmann::json::parse(readLine(timeout));
    if (!answer.value("ok", false)) {
        throw std::runtime_error("vantrel-sim refused '" + line + "': " + answer.dump());
    }
    return answer;
}

nlohmann::json StandInSim::journal(std::uint64_t from, const std::string& type, std::chrono::milliseconds timeout) {
    return command("journal " + std::to_string(from) + (type.empty() ? "" : " " + type), timeout).at("journal");
}

nlohmann::json StandInSim::waitForPackets(const std::string& type, std::size_t count,
                                          std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        nlohmann::json packets = journal(0, type);
        if (packets.size() >= count) {
            return packets;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("vantrel-sim received " + std::to_string(packets.size()) + " of " +
                                     std::to_string(count) + " " + type + " packets");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds{5});
    }
}

nlohmann::json StandInSim::waitForState(const std::function<bool(const nlohmann::json&)>& condition,
                                        std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        nlohmann::json current = state();
        if (condition(current)) {
            return current;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("vantrel-sim never reached the awaited state: " + current.dump());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds{20});
    }
}

const nlohmann::json* StandInSim::findObject(const nlohmann::json& state, const std::string& field,
                                             const nlohmann::json& value) {
    for (const nlohmann::json& object : state.at("objects")) {
        if (object.contains(field) && object.at(field) == value) {
            return &object;
        }
    }
    return nullptr;
}

}  // namespace vantrel::test
