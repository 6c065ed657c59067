#include "run/udp_receiver.h"

#include <chrono>
#include <stdexcept>
#include <system_error>

#include "core/format.h"
#include "core/log.h"
#include "core/winsock_errors.h"
#include "platform/net/socket_errors.h"
#include "platform/net/winsock.h"
#include "run/program_start.h"
#include "run/run_lifecycle.h"
#include "run/run_state.h"

namespace {

// How long one wait for a datagram lasts before the loop looks again.
constexpr std::chrono::milliseconds kReceiveTimeout{1000};

std::string lf_socketErrorText(const std::error_code& error) {
    return gf_winsockErrorText(platform::winsockErrorFromErrno(error.value()));
}

}  // namespace

void UdpReceiver::createSocket() {
    std::error_code error;
    socket_ = platform::net::UdpSocket::open(error);
    if (!socket_.isOpen()) {
        throw std::runtime_error(fmtlib::format("failed to create the socket, error: {}", lf_socketErrorText(error)));
    }
}

void UdpReceiver::bindPort(std::uint16_t port) {
    using platform::net::BindScope;
    std::error_code error;
    if (!socket_.bind(realTrafficOnThisPc ? BindScope::Loopback : BindScope::AllInterfaces, port, error)) {
        throw std::runtime_error(fmtlib::format("bind to stream socket failed, error: {}", lf_socketErrorText(error)));
    }
}

void UdpReceiver::receiveLoop() {
    using Status = platform::net::DatagramResult::Status;
    const bool everyDatagram = realTrafficOnThisPc.load();
    const auto buffer = std::as_writable_bytes(std::span{buffer_.data(), kBufferSize});
    while (!stopRequested) {
        std::error_code error;
        const auto result = socket_.receive(buffer, stopRequested, kReceiveTimeout, error);
        switch (result.status) {
            case Status::Data:
            case Status::Oversized: handleDatagram(result.byteCount, everyDatagram); break;
            case Status::Stopped:
            case Status::TimedOut: break;
            case Status::Failed:
                throw std::runtime_error(fmtlib::format("receive error: {}", lf_socketErrorText(error)));
        }
    }
    closeSocket();
    onStopped();
}

void UdpReceiver::handleDatagram(std::size_t length, bool everyDatagram) {
    if (length == 0) {
        return;
    }
    if (length >= kBufferSize) {
        gf_writeLogIfRunning(fmtlib::format("buffer overrun: {} bytes", length));
        return;
    }
    buffer_[length] = '\0';
    ++datagramCount;
    const std::string_view datagram{buffer_.data(), length};
    if (!everyDatagram) {
        if (datagram == lastDatagram_) {
            return;
        }
        lastDatagram_.assign(datagram);
    }
    processDatagram(datagram);
}

void gf_runUdpReceiver(UdpReceiver& reader, std::string_view name, std::uint16_t port,
                       void (*showListening)()) {
    try {
        const platform::net::WinsockUse winsock;
        if (winsock.startError() != 0) {
            throw std::runtime_error(fmtlib::format("WSA startup error: {}", winsock.startError()));
        }
        reader.createSocket();
        reader.bindPort(port);
        showListening();
        gf_writeLogIndented(fmtlib::format("{} connected", name));
        reader.receiveLoop();
        reader.closeSocket();
    } catch (const std::exception& error) {
        reader.closeSocket();
        onReaderStopped(name, error.what());
    }
    gf_writeLogIndented(fmtlib::format("{} disconnected", name));
}
