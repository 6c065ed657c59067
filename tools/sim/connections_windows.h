#pragma once
// The stand-in's connections on Windows, each with the event objects that
// the server's wait watches: TCP over Winsock, and the instances of the
// simulator's named pipe, which carry the same bytes.

#include "connection.h"
#include "platform/net/tcp_socket.h"

#include <memory>
#include <string>
#include <vector>
#include <winsock2.h>
#include <windows.h>

namespace sim {

class WindowsConnection : public Connection {
public:
    // The events that are signalled when bytes or the end arrive and, with
    // wantWrite, when the connection takes more.
    virtual void addWaitHandles(std::vector<HANDLE>& handles, bool wantWrite) const = 0;
};

// The client connection; the socket sends small packets at once.
std::unique_ptr<WindowsConnection> makeTcpConnection(platform::net::TcpSocket socket);

// The named pipe, with one instance always waiting for the next client.
class PipeListener {
public:
    // Serves the pipe, unless another program does already or it cannot be
    // made (said on standard error); then serving() is false.
    explicit PipeListener(const std::wstring& name);
    ~PipeListener();
    PipeListener(const PipeListener&) = delete;
    PipeListener& operator=(const PipeListener&) = delete;

    bool serving() const { return instance_ != INVALID_HANDLE_VALUE; }
    // Signalled when a client has connected to the waiting instance.
    HANDLE waitHandle() const { return connected_; }
    // The client of the waiting instance, when one has connected (a new
    // instance then waits); null otherwise.
    std::unique_ptr<WindowsConnection> accept();

private:
    bool createInstance(bool first);
    void listen();

    std::wstring name_;
    HANDLE instance_ = INVALID_HANDLE_VALUE;
    HANDLE connected_;
    OVERLAPPED overlapped_{};
    // Idle: no client can connect; Waiting: a connect is under way;
    // Connected: a client connected before the connect could wait.
    enum class Instance { Idle, Waiting, Connected } state_ = Instance::Idle;
};

}  // namespace sim
