#include "server.h"

#include "control.h"
#include "session.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <iostream>
#include <poll.h>
#include <unistd.h>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t lf_signalled = 0;

void lf_onSignal(int) { lf_signalled = 1; }

void lf_installSignals() {
    struct sigaction action {};
    action.sa_handler = lf_onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Reads the control input and answers each whole line; false once "exit" came.
bool lf_serveControl(Simulator& simulator, std::string& pending, bool& inputOpen) {
    char buffer[4096];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        inputOpen = count < 0 && errno == EINTR;
        return true;
    }
    pending.append(buffer, static_cast<std::size_t>(count));
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

void runServer(Simulator& simulator, platform::net::TcpListener& listener) {
    lf_installSignals();
    std::string pendingInput;
    bool inputOpen = true;
    auto nextFrame = Clock::now();
    const std::atomic<bool> never{false};
    while (lf_signalled == 0) {
        const std::vector<Session*> sessions = simulator.sessions();
        std::vector<pollfd> watched{{listener.fd(), POLLIN, 0}, {inputOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        for (const Session* session : sessions) {
            const short events = session->hasQueuedOutput() ? POLLIN | POLLOUT : POLLIN;
            watched.push_back({session->fd(), events, 0});
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextFrame - Clock::now());
        if (::poll(watched.data(), watched.size(), static_cast<int>(std::max<std::int64_t>(wait.count(), 0))) < 0 &&
            errno != EINTR) {
            std::cerr << "vantrel-sim: poll failed\n";
            return;
        }
        if ((watched[0].revents & POLLIN) != 0) {
            std::error_code error;
            platform::net::TcpSocket client = listener.accept(never, error, std::chrono::milliseconds{0});
            if (client.isOpen()) {
                simulator.addSession(std::move(client));
            }
        }
        if (watched[1].revents != 0 && !lf_serveControl(simulator, pendingInput, inputOpen)) {
            return;
        }
        for (std::size_t index = 0; index < sessions.size(); ++index) {
            const short events = watched[index + 2].revents;
            if ((events & POLLOUT) != 0) {
                sessions[index]->onWritable();
            }
            if ((events & ~POLLOUT) != 0) {
                sessions[index]->onReadable();
            }
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
