#include "support/rt_peer.h"

#include <fcntl.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace test {

namespace {

using namespace std::chrono_literals;

constexpr auto kPollInterval = 10ms;

std::vector<std::string> lf_command(const std::filesystem::path& folder, const RtPeer::Options& options) {
    std::vector<std::string> arguments{VANTREL_BINARY_DIR "/tools/rt-peer/rt-peer",
                                       "--traffic-port",
                                       std::to_string(options.trafficPort),
                                       "--qnh-port",
                                       std::to_string(options.qnhPort),
                                       "--record",
                                       (folder / "received.txt").string()};
    if (options.linkPort) {
        arguments.insert(arguments.end(), {"--connect", std::to_string(*options.linkPort)});
    }
    if (options.silent) {
        arguments.emplace_back("--silent");
    }
    if (options.stay) {
        arguments.emplace_back("--stay");
    }
    if (!options.qnhEachMinute.empty()) {
        arguments.insert(arguments.end(), {"--qnh-each-minute", options.qnhEachMinute});
    }
    arguments.push_back((folder / "scenario.txt").string());
    return arguments;
}

}  // namespace

RtPeer::RtPeer(const std::string& scenario, const Options& options) {
    writeBytes(folder_ / "scenario.txt", scenario);
    const auto create = [&](const char* name) {
        const std::string path = (folder_ / name).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            throw std::runtime_error("cannot create " + path);
        }
        return fd;
    };
    const int output = create("output.txt");
    const int error = create("error.txt");
    process_ = std::make_unique<ChildProcess>(lf_command(folder_.path(), options), -1, output, error);
    ::close(output);
    ::close(error);
}

int RtPeer::waitForExit(std::chrono::milliseconds timeout) {
    const auto exitCode = process_->waitForExit(timeout);
    if (!exitCode) {
        throw std::runtime_error("rt-peer has not ended:\n" + output());
    }
    return *exitCode;
}

std::vector<std::string> RtPeer::receivedLines() const {
    const std::string text = readBytes(folder_ / "received.txt");
    // Only whole lines: the peer may be writing the next one.
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string RtPeer::waitForLine(std::string_view prefix, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (const auto& line : receivedLines()) {
            if (line.starts_with(prefix)) {
                return line;
            }
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("rt-peer received no line beginning with " + std::string{prefix} + ":\n" +
                                     output());
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::string RtPeer::output() const { return readBytes(folder_ / "output.txt"); }

std::string RtPeer::errorOutput() const { return readBytes(folder_ / "error.txt"); }

}  // namespace test
