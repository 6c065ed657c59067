#include "platform/net/udp_socket.h"

#include <array>
#include <cstring>

#include "platform/net/socket_calls_windows.h"
#include "platform/net/winsock.h"

namespace platform::net {

namespace {

// The largest datagram IPv4 carries; a receive into a buffer this large
// learns every datagram's length.
constexpr std::size_t kLargestDatagram = 65536;

// SIO_UDP_CONNRESET, the control that stops Windows reporting an ICMP
// "port unreachable" (an answer to an earlier send) as a failed receive.
constexpr DWORD kUdpConnectionReset = IOC_IN | IOC_VENDOR | 12;

}  // namespace

UdpSocket UdpSocket::open(std::error_code& error) {
    const WinsockUse winsock;
    if (winsock.startError() != 0) {
        error = {winsock.startError(), std::system_category()};
        return {};
    }
    UdpSocket socket;
    socket.handle_ = makeSocket(AF_INET, SOCK_DGRAM, IPPROTO_UDP, error);
    if (socket.isOpen()) {
        BOOL report = FALSE;
        DWORD returned = 0;
        ::WSAIoctl(socket.handle_.fd(), kUdpConnectionReset, &report, sizeof report, nullptr, 0, &returned,
                   nullptr, nullptr);
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
    int length = sizeof address;
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
    // Winsock tells a datagram larger than the buffer only by WSAEMSGSIZE,
    // not its length: a smaller buffer receives through one that holds any
    // datagram, and gets what fits.
    thread_local std::array<std::byte, kLargestDatagram> whole;
    const std::span<std::byte> into = buffer.size() >= whole.size() ? buffer : std::span<std::byte>(whole);
    const int received = ::recv(handle_.fd(), reinterpret_cast<char*>(into.data()),
                                static_cast<int>(std::min<std::size_t>(into.size(), 1U << 30U)), 0);
    if (received == SOCKET_ERROR) {
        const int failure = ::WSAGetLastError();
        if (failure == WSAEWOULDBLOCK || failure == WSAEINTR) {
            return {Status::TimedOut, 0};
        }
        error = {failure, std::system_category()};
        return {Status::Failed, 0};
    }
    const auto length = static_cast<std::size_t>(received);
    if (into.data() != buffer.data()) {
        std::memcpy(buffer.data(), into.data(), std::min(length, buffer.size()));
    }
    return {length > buffer.size() ? Status::Oversized : Status::Data, length};
}

bool UdpSocket::sendTo(const std::string& address, std::uint16_t port, std::span<const std::byte> bytes,
                       std::error_code& error) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1) {
        error = {WSAEINVAL, std::system_category()};
        return false;
    }
    const int sent = ::sendto(handle_.fd(), reinterpret_cast<const char*>(bytes.data()),
                              static_cast<int>(bytes.size()), 0, reinterpret_cast<const sockaddr*>(&target),
                              sizeof target);
    if (sent == SOCKET_ERROR || static_cast<std::size_t>(sent) != bytes.size()) {
        error = sent == SOCKET_ERROR ? lastSystemError() : std::error_code{WSAEMSGSIZE, std::system_category()};
        return false;
    }
    return true;
}

}  // namespace platform::net
