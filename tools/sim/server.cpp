#include "server.h"

#include "control.h"
#include "session.h"

#include <chrono>
#include <iostream>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

// Answers each whole line of the control input; false once "exit" came.
bool lf_serveControl(Simulator& simulator, std::string& pending) {
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const ControlReply reply = handleCommand(simulator, line);
        // Bytes that are not UTF-8 (an echo of a bad command) are replaced
        // rather than ending the stand-in.
        std::cout << reply.body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
        if (reply.exitRequested) {
            return false;
        }
    }
    return true;
}

}  // namespace

void runServer(Simulator& simulator, ServerEvents& events) {
    std::string pendingInput;
    auto nextFrame = Clock::now();
    while (!events.stopRequested()) {
        events.wait(simulator.sessions(), nextFrame);
        for (std::unique_ptr<Connection>& client : events.acceptClients()) {
            simulator.addSession(std::move(client));
        }
        pendingInput += events.takeInput();
        if (!lf_serveControl(simulator, pendingInput)) {
            return;
        }
        for (Session* session : simulator.sessions()) {
            if (session->hasQueuedOutput()) {
                session->onWritable();
            }
            session->onReadable();
        }
        const auto now = Clock::now();
        if (now >= nextFrame) {
            const double frameSeconds = 1.0 / simulator.world.frameRate;
            simulator.frame(frameSeconds);
            nextFrame += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(frameSeconds));
            // After a stall, go on from now rather than run the missed frames at once.
            if (nextFrame < now) {
                nextFrame = now;
            }
        }
        simulator.removeEndedSessions();
    }
}

}  // namespace sim
