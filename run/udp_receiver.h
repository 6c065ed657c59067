#pragma once
// The base of the two readers of RealTraffic's UDP datagrams (traffic on
// port 49005, QNH on port 49004). Each reader runs on a detached thread of
// its own: it binds its port, then receives one datagram at a time and hands
// it to its subclass, until its stop flag is set or an error ends it. The
// socket, the buffer and the last datagram belong to the reader's thread;
// the stop flag and the counters are atomic, for the worker sets and reads
// them.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/net/udp_socket.h"

class UdpReceiver {
public:
    // Datagrams of 1 to 16383 bytes are handled; one that fills the buffer,
    // or is larger still, is a buffer overrun: logged and dropped.
    static constexpr std::size_t kBufferSize = 16384;

    UdpReceiver() = default;
    virtual ~UdpReceiver() = default;
    UdpReceiver(const UdpReceiver&) = delete;
    UdpReceiver& operator=(const UdpReceiver&) = delete;

    // The receive loop runs while this is clear; it notices a stop within
    // 100 ms.
    std::atomic<bool> stopRequested{false};
    // Datagrams of 1 to 16383 bytes received (duplicates included).
    std::atomic<std::uint32_t> datagramCount{0};
    // datagramCount at the last heartbeat of the reader lamps.
    std::atomic<std::uint32_t> lastSeenCount{0};

    // The steps of a reader's thread body; each throws std::runtime_error
    // with the text the log shows.
    void createSocket();
    // Binds to 127.0.0.1 when RealTraffic runs on this PC, else to every
    // interface. Port 0 takes a free port (boundPort()).
    void bindPort(std::uint16_t port);
    std::uint16_t boundPort() const noexcept { return socket_.port(); }
    // Receives until the stop flag is set, then closes the socket and calls
    // onStopped. Throws on a receive error (with the socket still open).
    void receiveLoop();
    void closeSocket() noexcept { socket_.close(); }

    // Handles one datagram: a view into the receive buffer, valid during the
    // call and followed there by a NUL. Never throws.
    virtual void processDatagram(std::string_view datagram) = 0;

protected:
    // Called once, when the receive loop ends on request.
    virtual void onStopped() = 0;

private:
    void handleDatagram(std::size_t length, bool everyDatagram);

    platform::net::UdpSocket socket_;
    std::array<char, kBufferSize + 1> buffer_{};
    // The previous datagram, to skip a repeat of it when RealTraffic runs
    // on another PC.
    std::string lastDatagram_;
};

// A reader's thread body: socket, bind, then the lamps that show it
// listening (showListening), "{name} connected", the receive loop and
// "{name} disconnected". A failure closes the socket and goes to
// onReaderStopped with its text before "{name} disconnected".
void gf_runUdpReceiver(UdpReceiver& reader, std::string_view name, std::uint16_t port,
                       void (*showListening)());
