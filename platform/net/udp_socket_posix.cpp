#include "platform/net/udp_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace platform::net {

UdpSocket UdpSocket::open(std::error_code& error) {
    UdpSocket socket;
    socket.handle_ = SocketHandle{::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP)};
    if (!socket.isOpen()) {
        error = lastSystemError();
    }
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
    // MSG_TRUNC makes a datagram socket return the datagram's real length
    // even when only the buffer's worth of it was copied.
    const ssize_t received = ::recv(handle_.fd(), buffer.data(), buffer.size(), MSG_DONTWAIT | MSG_TRUNC);
    if (received < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
            return {Status::TimedOut, 0};
        }
        error = lastSystemError();
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
        error = {EINVAL, std::system_category()};
        return false;
    }
    const ssize_t sent = ::sendto(handle_.fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&target), sizeof target);
    if (sent < 0 || static_cast<std::size_t>(sent) != bytes.size()) {
        error = sent < 0 ? lastSystemError() : std::error_code{EMSGSIZE, std::system_category()};
        return false;
    }
    return true;
}

}  // namespace platform::net
