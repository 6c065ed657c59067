// vantrel-sim: a stand-in for Microsoft Flight Simulator that serves
// SimConnect's protocol over TCP on 127.0.0.1 (and on Windows over the
// simulator's local named pipe), for tests and demonstrations.

#include "control.h"
#include "scenario.h"
#include "server.h"
#include "server_events.h"

#include <charconv>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

namespace {

constexpr const char* kUsage = R"(Usage: vantrel-sim [--port N] [--show-traffic] [SCENARIO.json]

Serves SimConnect over TCP on 127.0.0.1, port N (0 or none: a free port).
On Windows it also serves the simulator's named pipe
  \\.\pipe\Microsoft Flight Simulator\SimConnect
(unless another program serves it), which clients on the same PC use when
they have no SimConnect.cfg.
With --show-traffic it writes to standard error when an AI aircraft
appears or leaves, and where each one is every 10 s.
Its first line on standard output tells the port (and the pipe, when served):
  {"listening":{"address":"127.0.0.1","port":N}}
Point a client at it with a SimConnect.cfg in the client's working folder:
  [SimConnect]
  Protocol=IPv4
  Address=127.0.0.1
  Port=N

The scenario (JSON) sets the simulator's name, the user aircraft, the
ground, the frame rate, the titles it can create and other aircraft; see
tools/sim/scenario.h. Without one: MSFS 2020 ("KittyHawk") with a user
aircraft at 0, 0.

Standard input takes control commands, standard output answers each with
one JSON line; diagnostics go to standard error.
)";

bool lf_parsePort(const std::string& text, std::uint16_t& port) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    std::uint16_t port = 0;
    bool showTraffic = false;
    std::string scenarioPath;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage << '\n' << sim::controlUsage() << '\n';
            return 0;
        }
        if (argument == "--port" && index + 1 < argc && lf_parsePort(argv[index + 1], port)) {
            ++index;
        } else if (argument == "--show-traffic") {
            showTraffic = true;
        } else if (!argument.starts_with("-") && scenarioPath.empty()) {
            scenarioPath = argument;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    try {
        sim::Scenario scenario =
            scenarioPath.empty() ? sim::parseScenario(nlohmann::json::object()) : sim::loadScenario(scenarioPath);
        std::error_code error;
        platform::net::TcpListener listener = platform::net::TcpListener::listen("127.0.0.1", port, error);
        if (!listener.isOpen()) {
            std::cerr << "vantrel-sim: cannot listen on 127.0.0.1 port " << port << ": " << error.message() << '\n';
            return 1;
        }
        const std::uint16_t listeningPort = listener.port();
        sim::ServerEvents events(std::move(listener));
        sim::Simulator simulator(std::move(scenario.world), std::move(scenario.identity));
        simulator.showTraffic(showTraffic);
        nlohmann::json listening{{"address", "127.0.0.1"}, {"port", listeningPort}};
        if (const std::string pipe = events.pipeName(); !pipe.empty()) {
            listening["pipe"] = pipe;
        }
        std::cout << nlohmann::json{{"listening", listening}}.dump() << std::endl;
        sim::runServer(simulator, events);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "vantrel-sim: " << error.what() << '\n';
        return 1;
    }
}
