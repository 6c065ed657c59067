// rt-peer: plays RealTraffic to Vantrel on this machine, for tests: the
// traffic and QNH datagrams of a scenario at their times, and the TCP client
// of Vantrel's RealTraffic link, recording what Vantrel sends on it.

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "console.h"
#include "datagram.h"
#include "link.h"
#include "platform/net/udp_socket.h"
#include "qnh_repeater.h"
#include "scenario.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* kUsage = R"(Usage: rt-peer [options] [SCENARIO]

Plays RealTraffic to Vantrel on this machine: sends the scenario's traffic
and QNH datagrams to 127.0.0.1 at their times and, with --connect, is
RealTraffic's TCP client of Vantrel's link.

Options:
  --traffic-port N  port of the traffic datagrams (default 49005)
  --qnh-port N      port of the QNH datagrams (default 49004)
  --connect N       connect to Vantrel's link on 127.0.0.1 port N (its
                    PORT_NUMBER, 10747 unless changed), retrying every 100 ms,
                    and connect again whenever the link ends
  --record FILE     append every line received on the link to FILE, as it
                    came but without its CR LF, one line each, flushed at once
  --answer TEXT     answer each "Qs999=" line with TEXT and CR LF (default
                    "RealTraffic peer")
  --silent          never answer "Qs999=": the link sends only the scenario's
                    send steps
  --stay            connect again also after Vantrel sent "exit" (a restart)
  --qnh-each-minute TEXT
                    send TEXT as a QNH datagram once Vantrel has connected
                    (2 s after each answer to "Qs999=", when Vantrel's QNH
                    reader listens; without --connect at the start) and
                    again every minute until rt-peer ends
  --max-seconds N   end after N seconds at the latest (default 300)

Scenario: a text file, one step per line; empty lines and lines starting
with # are skipped.
  MS traffic TEXT   TEXT as one datagram to the traffic port
  MS qnh TEXT       TEXT as one datagram to the QNH port
  MS send TEXT      TEXT and CR LF on the link (skipped while not connected)
  MS close          close the link, as RealTraffic vanishing would, and stop
                    connecting
  MS connect        start connecting again
  MS note TEXT      TEXT and a line end on standard error, for the person
                    who watches
MS is the time in milliseconds after the start, never smaller than the step
before; TEXT is the rest of the line after one blank, byte for byte.
Example:
  0 qnh {"QNH":1013}
  0 traffic RTTFC,7867035,47.46,8.55,3025,-768,1,165.2,142.5,SWR12,A320,...
  1000 traffic RTTFC,7867035,47.47,8.55,2950,-768,1,165.2,142.0,SWR12,A320,...

Standard output: one line per event ("sent traffic 212 bytes", "connected",
"received Qs999=...", "closed", "done").
rt-peer ends when the scenario has played and, with --connect, Vantrel has
sent "exit" and closed the link (never with --stay), or, with
--qnh-each-minute and no --connect, not before --max-seconds; at
--max-seconds; on SIGTERM or SIGINT. Exit code 0; 2 for a wrong option or scenario; 1 when a
datagram cannot be sent.
)";

std::atomic<bool> stopRequested{false};

extern "C" void lf_onSignal(int /*signal*/) { stopRequested = true; }

template <typename Number>
bool lf_parseNumber(const std::string& text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

struct Options {
    std::uint16_t trafficPort = 49005;
    std::uint16_t qnhPort = 49004;
    bool connect = false;
    rtpeer::LinkOptions link;
    int maxSeconds = 300;
    std::string scenarioPath;
    std::string qnhEachMinute;  // empty: none
};

// One option that takes a value; false when the value does not fit it.
bool lf_takeValue(Options& options, const std::string& option, const std::string& value) {
    if (option == "--traffic-port") {
        return lf_parseNumber(value, options.trafficPort);
    }
    if (option == "--qnh-port") {
        return lf_parseNumber(value, options.qnhPort);
    }
    if (option == "--connect") {
        options.connect = true;
        return lf_parseNumber(value, options.link.port);
    }
    if (option == "--record") {
        options.link.recordPath = value;
        return true;
    }
    if (option == "--answer") {
        options.link.answer = value;
        return true;
    }
    if (option == "--qnh-each-minute") {
        options.qnhEachMinute = value;
        return !value.empty();
    }
    if (option == "--max-seconds") {
        return lf_parseNumber(value, options.maxSeconds) && options.maxSeconds > 0;
    }
    return false;
}

// Nullopt for a wrong command line.
std::optional<Options> lf_parseOptions(int argc, char** argv) {
    Options options;
    options.link.answer = "RealTraffic peer";
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "--silent") {
            options.link.silent = true;
        } else if (argument == "--stay") {
            options.link.stay = true;
        } else if (!argument.starts_with("-") && options.scenarioPath.empty()) {
            options.scenarioPath = argument;
        } else if (index + 1 >= argc || !lf_takeValue(options, argument, argv[++index])) {
            return std::nullopt;
        }
    }
    return options;
}

// Waits until the time, in short steps so that a stop is seen; false when
// stopped or past the deadline.
bool lf_waitUntil(Clock::time_point time, Clock::time_point deadline) {
    while (Clock::now() < time) {
        if (stopRequested || Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(time - Clock::now(), 50ms));
    }
    return !stopRequested;
}

int lf_play(const Options& options, const std::vector<rtpeer::Step>& steps) {
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::seconds{options.maxSeconds};
    std::unique_ptr<rtpeer::Link> link;
    if (options.connect) {
        link = std::make_unique<rtpeer::Link>(options.link, stopRequested, deadline);
    }
    std::unique_ptr<rtpeer::QnhRepeater> qnh;
    if (!options.qnhEachMinute.empty()) {
        qnh = std::make_unique<rtpeer::QnhRepeater>(options.qnhEachMinute, options.qnhPort, link.get(), stopRequested,
                                                    deadline);
    }
    std::error_code error;
    auto socket = platform::net::UdpSocket::open(error);
    if (!socket.isOpen()) {
        std::cerr << "rt-peer: no UDP socket: " << error.message() << '\n';
        return 1;
    }
    using Kind = rtpeer::Step::Kind;
    for (const auto& step : steps) {
        if (!lf_waitUntil(start + step.at, deadline)) {
            return 0;
        }
        const bool sent =
            step.kind == Kind::Traffic ? rtpeer::sendDatagram(socket, options.trafficPort, step.text, "traffic")
            : step.kind == Kind::Qnh   ? rtpeer::sendDatagram(socket, options.qnhPort, step.text, "qnh")
                                       : true;
        if (!sent) {
            return 1;
        }
        if (link && step.kind == Kind::Send) {
            link->send(step.text);
        } else if (link && step.kind == Kind::Close) {
            link->close();
        } else if (link && step.kind == Kind::Connect) {
            link->connect();
        } else if (step.kind == Kind::Note) {
            std::cerr << step.text << std::endl;
        }
    }
    // The repeated QNH goes on while the link lasts; without a link, until
    // a stop or the deadline.
    while ((link ? !link->finished() : qnh != nullptr) && lf_waitUntil(Clock::now() + 50ms, deadline)) {
    }
    rtpeer::say("done");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string{argv[1]} == "--help") {
        std::cout << kUsage;
        return 0;
    }
    const auto options = lf_parseOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    std::vector<rtpeer::Step> steps;
    try {
        if (!options->scenarioPath.empty()) {
            steps = rtpeer::loadScenario(options->scenarioPath);
        }
    } catch (const std::exception& error) {
        std::cerr << "rt-peer: " << error.what() << '\n';
        return 2;
    }
    std::signal(SIGTERM, lf_onSignal);
    std::signal(SIGINT, lf_onSignal);
    return lf_play(*options, steps);
}
