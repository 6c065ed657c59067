#pragma once
// A thin UDP layer over POSIX sockets (Winsock 2 on Windows), beside the
// TCP one: a datagram socket
// that binds to a port of the loopback interface or of every interface,
// waits for one datagram at a time with a time-out and a stop flag, and
// sends datagrams to an IPv4 address. Errors come back as errno error codes
// (see socket_handle.h).

#include "platform/net/socket_handle.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform::net {

// Where a bound socket listens: 127.0.0.1 only (the sender runs on this
// machine), or every interface of the machine (INADDR_ANY).
enum class BindScope { Loopback, AllInterfaces };

struct DatagramResult {
    enum class Status {
        Data,       // one datagram of byteCount bytes is in the buffer
        Oversized,  // a datagram of byteCount bytes did not fit the buffer; it is dropped
        Stopped,    // the stop flag was set
        TimedOut,   // no datagram within the time-out
        Failed,     // the error code tells why
    };
    Status status = Status::Failed;
    std::size_t byteCount = 0;
};

class UdpSocket {
public:
    UdpSocket() = default;

    // An IPv4 datagram socket, not bound yet; unopened on failure.
    static UdpSocket open(std::error_code& error);

    bool isOpen() const noexcept { return handle_.isOpen(); }
    void close() noexcept { handle_.close(); }

    // Binds to the port (0: the system picks a free one, see port()). No
    // socket option is set, so a port that another socket holds fails with
    // EADDRINUSE.
    bool bind(BindScope scope, std::uint16_t port, std::error_code& error);
    std::uint16_t port() const noexcept { return port_; }

    // Waits for one datagram, no longer than the time-out and never past the
    // stop flag (tested every kStopPollInterval), and takes it whole. A
    // datagram larger than the buffer is taken off the socket and reported
    // Oversized with its full length, so no sender can make the wait fail.
    DatagramResult receive(std::span<std::byte> buffer, const std::atomic<bool>& stop,
                           std::chrono::milliseconds timeout, std::error_code& error);

    // Sends the bytes as one datagram to a numeric IPv4 address and port.
    bool sendTo(const std::string& address, std::uint16_t port, std::span<const std::byte> bytes,
                std::error_code& error);

private:
    SocketHandle handle_;
    std::uint16_t port_ = 0;
};

}  // namespace platform::net
