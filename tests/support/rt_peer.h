#pragma once
// Starts rt-peer, the RealTraffic peer, as a process in a scratch folder of
// its own: it plays the given scenario (see `rt-peer --help` for its steps)
// to the feed's ports on 127.0.0.1 and, when asked, connects to Vantrel's
// RealTraffic link and records every line it receives. The process ends
// with this object, or with the test process.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace test {

class RtPeer {
public:
    struct Options {
        std::uint16_t trafficPort = 49005;
        std::uint16_t qnhPort = 49004;
        // Connect to Vantrel's link on 127.0.0.1 at this port (PORT_NUMBER).
        std::optional<std::uint16_t> linkPort;
        bool silent = false;  // no answer to "Qs999="
        bool stay = false;    // connect again after "exit"
        // Sent as a QNH datagram once Vantrel has connected, then every
        // minute; empty: not at all.
        std::string qnhEachMinute{};
    };

    explicit RtPeer(const std::string& scenario, const Options& options);
    explicit RtPeer(const std::string& scenario) : RtPeer(scenario, Options{}) {}
    RtPeer(const RtPeer&) = delete;
    RtPeer& operator=(const RtPeer&) = delete;

    // Waits until rt-peer has ended by itself and returns its exit code;
    // throws std::runtime_error after the time-out.
    int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds{10});
    // The lines received on the link so far, without their CR LF.
    std::vector<std::string> receivedLines() const;
    // Waits for a received line that begins with the prefix and returns the
    // first one; throws std::runtime_error after the time-out.
    std::string waitForLine(std::string_view prefix,
                            std::chrono::milliseconds timeout = std::chrono::seconds{10}) const;
    // rt-peer's standard output so far: one event per line.
    std::string output() const;
    // Its standard error so far.
    std::string errorOutput() const;

private:
    TempFolder folder_;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace test
