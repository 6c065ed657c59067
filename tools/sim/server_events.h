#pragma once
// Everything the stand-in's loop waits for, which is all that differs
// between systems: clients that connect (over TCP, and on Windows over the
// simulator's named pipe), bytes from clients and room for what they are
// sent, the control input, and the signals that end the stand-in. Linux
// polls the descriptors; Windows waits on event objects, with a thread that
// reads standard input.

#include "connection.h"
#include "platform/net/tcp_socket.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class Session;

class ServerEvents {
public:
    using Clock = std::chrono::steady_clock;

    // Takes the listener over; on Windows also serves the named pipe (when
    // no other program serves it). Installs the handlers of the signals that
    // end the stand-in (SIGINT and SIGTERM; on Windows Ctrl+C, Ctrl+Break
    // and the closing of its console).
    explicit ServerEvents(platform::net::TcpListener listener);
    ~ServerEvents();
    ServerEvents(const ServerEvents&) = delete;
    ServerEvents& operator=(const ServerEvents&) = delete;

    // The named pipe served, or empty.
    std::string pipeName() const;

    // Waits until a client connects, a client's connection has bytes or an
    // end (or room for queued output), control input arrives or ends, a
    // signal comes, or the deadline passes.
    void wait(const std::vector<Session*>& sessions, Clock::time_point deadline);

    // The clients that connected since the last call.
    std::vector<std::unique_ptr<Connection>> acceptClients();
    // The control input that arrived since the last call.
    std::string takeInput();
    // SIGINT or SIGTERM (Ctrl+C, Ctrl+Break, closed console) came.
    bool stopRequested() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace sim
