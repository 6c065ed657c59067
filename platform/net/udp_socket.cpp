#include "platform/net/udp_socket.h"

#include "platform/net/socket_calls.h"
#include "platform/net/winsock.h"

namespace platform::net {

UdpSocket UdpSocket::open(std::error_code& error) {
    const WinsockUse winsock;
    if (winsock.startError() != 0) {
        error = {winsock.startError(), std::system_category()};
        return {};
    }
    UdpSocket socket;
    socket.handle_ = makeSocket(AF_INET, SOCK_DGRAM, IPPROTO_UDP, error);
    return socket;
}

bool UdpSocket::bind(BindScope scope, std::uint16_t port, std::error_code& error) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(scope == BindScope::Loopback ? INADDR_LOOPBACK : INADDR_ANY);
    if (::bind(handle_.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = lastSystemError();
        return false;
    }
    socklen_t length = sizeof address;
    if (::getsockname(handle_.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = lastSystemError();
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
}

DatagramResult UdpSocket::receive(std::span<std::byte> buffer, const std::atomic<bool>& stop,
                                  std::chrono::milliseconds timeout, std::error_code& error) {
    using Status = DatagramResult::Status;
    switch (waitUntilReady(handle_.fd(), POLLIN, stop, timeout, error)) {
        case WaitResult::Ready: break;
        case WaitResult::Stopped: return {Status::Stopped, 0};
        case WaitResult::TimedOut: return {Status::TimedOut, 0};
        case WaitResult::Failed: return {Status::Failed, 0};
    }
    const std::ptrdiff_t received = receiveDatagram(handle_.fd(), buffer);
    if (received < 0) {
        const std::error_code failure = lastSystemError();
        if (isRetryable(failure)) {
            return {Status::TimedOut, 0};
        }
        error = failure;
        return {Status::Failed, 0};
    }
    const auto length = static_cast<std::size_t>(received);
    return {length > buffer.size() ? Status::Oversized : Status::Data, length};
}

bool UdpSocket::sendTo(const std::string& address, std::uint16_t port, std::span<const std::byte> bytes,
                       std::error_code& error) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1) {
        error = {kFailureCodes.invalidArgument, std::system_category()};
        return false;
    }
    const std::ptrdiff_t sent = sendDatagram(handle_.fd(), bytes, target);
    if (sent < 0) {
        error = lastSystemError();
        return false;
    }
    if (static_cast<std::size_t>(sent) != bytes.size()) {
        error = {kFailureCodes.datagramTooLarge, std::system_category()};
        return false;
    }
    return true;
}

}  // namespace platform::net
