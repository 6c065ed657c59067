#pragma once
// A thin TCP layer over POSIX sockets (Winsock 2 on Windows): a connected
// stream (TcpSocket) and a listening socket (TcpListener). Every blocking operation takes a stop flag
// and ends within kStopPollInterval once it is set; sends never raise
// SIGPIPE. Errors come back as errno error codes (see socket_handle.h).

#include "platform/net/address_families.h"
#include "platform/net/socket_handle.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform::net {

struct ReceiveResult {
    enum class Status { Data, Closed, Stopped, TimedOut, Failed };
    Status status = Status::Failed;
    std::size_t byteCount = 0;  // bytes received, for Data
};

class TcpSocket {
public:
    TcpSocket() = default;
    explicit TcpSocket(SocketHandle handle) noexcept : handle_(std::move(handle)) {}

    // Connects to host:port (a name or a numeric address; family AF_INET,
    // AF_INET6 or AF_UNSPEC), trying each address until one answers within
    // the time-out. An unopened socket on failure.
    static TcpSocket connect(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds timeout, std::error_code& error,
                             int family = AF_UNSPEC);

    bool isOpen() const noexcept { return handle_.isOpen(); }
    SocketDescriptor fd() const noexcept { return handle_.fd(); }
    void close() noexcept { handle_.close(); }
    void shutdownBoth() noexcept { handle_.shutdownBoth(); }

    // TCP_NODELAY: small packets leave at once.
    bool setNoDelay(std::error_code& error) noexcept;

    // Sends every byte, waiting while the send buffer is full. False on an
    // error, a closed peer or a stop; the stream is then unusable.
    bool sendAll(std::span<const std::byte> bytes, const std::atomic<bool>& stop,
                 std::error_code& error);

    // Waits for data (no longer than the time-out, when one is given) and
    // receives what has arrived, at most the buffer's size.
    ReceiveResult receiveSome(std::span<std::byte> buffer, const std::atomic<bool>& stop,
                              std::error_code& error,
                              std::optional<std::chrono::milliseconds> timeout = std::nullopt);

private:
    SocketHandle handle_;
};

class TcpListener {
public:
    TcpListener() = default;

    // The step of listen() that failed, for callers that report each one.
    enum class Step { resolve, socket, reuseAddress, bind, listen, localAddress };

    // Listens on address:port with SO_REUSEADDR; an empty address means
    // every interface, port 0 lets the system pick a free port (see port()).
    // On failure the step that failed goes into failedStep, when given.
    static TcpListener listen(const std::string& address, std::uint16_t port,
                              std::error_code& error, int family = AF_INET,
                              Step* failedStep = nullptr);

    bool isOpen() const noexcept { return handle_.isOpen(); }
    SocketDescriptor fd() const noexcept { return handle_.fd(); }
    void close() noexcept { handle_.close(); }
    std::uint16_t port() const noexcept { return port_; }

    // Waits for a client (no longer than the time-out, when one is given);
    // an unopened socket when stopped, timed out or failed (error set).
    TcpSocket accept(const std::atomic<bool>& stop, std::error_code& error,
                     std::optional<std::chrono::milliseconds> timeout = std::nullopt);

private:
    SocketHandle handle_;
    std::uint16_t port_ = 0;
};

}  // namespace platform::net
