#include "platform/net/socket_calls.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace platform::net {

namespace {

// The largest datagram IPv4 carries; a receive into a buffer this large
// learns every datagram's length.
constexpr std::size_t kLargestDatagram = 65536;

// SIO_UDP_CONNRESET, the control that stops Windows reporting an ICMP
// "port unreachable" (an answer to an earlier send) as a failed receive.
constexpr DWORD kUdpConnectionReset = IOC_IN | IOC_VENDOR | 12;

// Makes a socket non-blocking and not inheritable.
bool lf_prepareSocket(SOCKET socket, std::error_code& error) {
    u_long nonBlocking = 1;
    if (::ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
        error = lastSystemError();
        return false;
    }
    if (::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0) == 0) {
        error = {static_cast<int>(::GetLastError()), std::system_category()};
        return false;
    }
    return true;
}

}  // namespace

std::error_code lastSystemError() noexcept { return {::WSAGetLastError(), std::system_category()}; }

SocketHandle makeSocket(int family, int type, int protocol, std::error_code& error) {
    SocketHandle socket{::WSASocketW(family, type, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED)};
    if (!socket.isOpen()) {
        error = lastSystemError();
        return {};
    }
    if (!lf_prepareSocket(socket.fd(), error)) {
        return {};
    }
    if (type == SOCK_DGRAM) {
        BOOL report = FALSE;
        DWORD returned = 0;
        ::WSAIoctl(socket.fd(), kUdpConnectionReset, &report, sizeof report, nullptr, 0, &returned, nullptr,
                   nullptr);
    }
    return socket;
}

SocketHandle acceptClient(SocketDescriptor listener, std::error_code& error) {
    SocketHandle client{::accept(listener, nullptr, nullptr)};
    if (!client.isOpen()) {
        error = lastSystemError();
        return {};
    }
    if (!lf_prepareSocket(client.fd(), error)) {
        return {};
    }
    return client;
}

ConnectStart startConnect(SocketDescriptor socket, const addrinfo& address, std::error_code& error) {
    if (::connect(socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
        return ConnectStart::Connected;
    }
    if (::WSAGetLastError() == WSAEWOULDBLOCK) {
        return ConnectStart::InProgress;
    }
    error = lastSystemError();
    return ConnectStart::Failed;
}

// The socket stays non-blocking, as every socket here is.
bool endConnect(SocketDescriptor, std::error_code&) { return true; }

void closeSocket(SocketDescriptor socket) noexcept { ::closesocket(socket); }

void shutdownSocket(SocketDescriptor socket) noexcept { ::shutdown(socket, SD_BOTH); }

// select() rather than WSAPoll: WSAPoll of older Windows 10 releases never
// reports a failed connect, which select reports in its error set.
PollResult pollOnce(SocketDescriptor socket, short events, std::chrono::milliseconds step,
                    std::error_code& error) {
    fd_set readable;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    if ((events & POLLIN) != 0) {
        FD_SET(socket, &readable);
    }
    if ((events & POLLOUT) != 0) {
        FD_SET(socket, &writable);
    }
    FD_SET(socket, &failed);
    const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(step).count();
    timeval wait{static_cast<long>(microseconds / 1000000), static_cast<long>(microseconds % 1000000)};
    const int ready = ::select(0, &readable, &writable, &failed, &wait);
    if (ready > 0) {
        return PollResult::Ready;
    }
    if (ready == SOCKET_ERROR) {
        error = lastSystemError();
        return PollResult::Failed;
    }
    return PollResult::Quiet;
}

std::ptrdiff_t sendBytes(SocketDescriptor socket, std::span<const std::byte> bytes) {
    const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 1U << 20U));
    return ::send(socket, reinterpret_cast<const char*>(bytes.data()), chunk, 0);
}

std::ptrdiff_t receiveBytes(SocketDescriptor socket, std::span<std::byte> buffer) {
    const int size = static_cast<int>(std::min<std::size_t>(buffer.size(), 1U << 30U));
    return ::recv(socket, reinterpret_cast<char*>(buffer.data()), size, 0);
}

std::ptrdiff_t receiveDatagram(SocketDescriptor socket, std::span<std::byte> buffer) {
    // Winsock tells a datagram larger than the buffer only by WSAEMSGSIZE,
    // not its length: a smaller buffer receives through one that holds any
    // datagram, and gets what fits.
    thread_local std::array<std::byte, kLargestDatagram> whole;
    const std::span<std::byte> into = buffer.size() >= whole.size() ? buffer : std::span<std::byte>(whole);
    const int received = ::recv(socket, reinterpret_cast<char*>(into.data()),
                                static_cast<int>(std::min<std::size_t>(into.size(), 1U << 30U)), 0);
    if (received != SOCKET_ERROR && into.data() != buffer.data()) {
        std::memcpy(buffer.data(), into.data(), std::min(static_cast<std::size_t>(received), buffer.size()));
    }
    return received;
}

std::ptrdiff_t sendDatagram(SocketDescriptor socket, std::span<const std::byte> bytes,
                            const sockaddr_in& target) {
    return ::sendto(socket, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
                    reinterpret_cast<const sockaddr*>(&target), sizeof target);
}

bool isRetryable(const std::error_code& failure) noexcept {
    return failure.value() == WSAEWOULDBLOCK || failure.value() == WSAEINTR;
}

bool isClientGone(const std::error_code& failure) noexcept { return failure.value() == WSAECONNRESET; }

const FailureCodes kFailureCodes{WSAETIMEDOUT, WSAEHOSTUNREACH, WSAECONNRESET, WSAEINVAL, WSAEMSGSIZE};

// getaddrinfo answers with a Winsock code of its own.
std::error_code resolveError(int result) noexcept { return {result, std::system_category()}; }

}  // namespace platform::net
