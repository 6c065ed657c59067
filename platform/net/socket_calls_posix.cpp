#include "platform/net/socket_calls.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform::net {

namespace {

bool lf_setNonBlocking(SocketDescriptor socket, bool nonBlocking) {
    const int flags = ::fcntl(socket, F_GETFL, 0);
    if (flags < 0) {
        return false;
    }
    const int wanted = nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return ::fcntl(socket, F_SETFL, wanted) == 0;
}

}  // namespace

std::error_code lastSystemError() noexcept { return {errno, std::system_category()}; }

SocketHandle makeSocket(int family, int type, int protocol, std::error_code& error) {
    SocketHandle socket{::socket(family, type | SOCK_CLOEXEC, protocol)};
    if (!socket.isOpen()) {
        error = lastSystemError();
    }
    return socket;
}

SocketHandle acceptClient(SocketDescriptor listener, std::error_code& error) {
    SocketHandle client{::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)};
    if (!client.isOpen()) {
        error = lastSystemError();
    }
    return client;
}

ConnectStart startConnect(SocketDescriptor socket, const addrinfo& address, std::error_code& error) {
    if (!lf_setNonBlocking(socket, true)) {
        error = lastSystemError();
        return ConnectStart::Failed;
    }
    if (::connect(socket, address.ai_addr, address.ai_addrlen) == 0) {
        return ConnectStart::Connected;
    }
    if (errno == EINPROGRESS) {
        return ConnectStart::InProgress;
    }
    error = lastSystemError();
    return ConnectStart::Failed;
}

bool endConnect(SocketDescriptor socket, std::error_code& error) {
    if (!lf_setNonBlocking(socket, false)) {
        error = lastSystemError();
        return false;
    }
    return true;
}

void closeSocket(SocketDescriptor socket) noexcept { ::close(socket); }

void shutdownSocket(SocketDescriptor socket) noexcept { ::shutdown(socket, SHUT_RDWR); }

PollResult pollOnce(SocketDescriptor socket, short events, std::chrono::milliseconds step,
                    std::error_code& error) {
    pollfd entry{socket, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(step.count()));
    if (ready > 0) {
        return PollResult::Ready;
    }
    if (ready < 0 && errno != EINTR) {
        error = lastSystemError();
        return PollResult::Failed;
    }
    return PollResult::Quiet;
}

std::ptrdiff_t sendBytes(SocketDescriptor socket, std::span<const std::byte> bytes) {
    // MSG_NOSIGNAL: a peer that has gone fails the send with EPIPE instead
    // of ending the program with SIGPIPE.
    for (;;) {
        const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent >= 0 || errno != EINTR) {
            return sent;
        }
    }
}

std::ptrdiff_t receiveBytes(SocketDescriptor socket, std::span<std::byte> buffer) {
    return ::recv(socket, buffer.data(), buffer.size(), MSG_DONTWAIT);
}

std::ptrdiff_t receiveDatagram(SocketDescriptor socket, std::span<std::byte> buffer) {
    // MSG_TRUNC makes a datagram socket return the datagram's real length
    // even when only the buffer's worth of it was copied.
    return ::recv(socket, buffer.data(), buffer.size(), MSG_DONTWAIT | MSG_TRUNC);
}

std::ptrdiff_t sendDatagram(SocketDescriptor socket, std::span<const std::byte> bytes,
                            const sockaddr_in& target) {
    return ::sendto(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                    reinterpret_cast<const sockaddr*>(&target), sizeof target);
}

bool isRetryable(const std::error_code& failure) noexcept {
    const int code = failure.value();
    return code == EAGAIN || code == EWOULDBLOCK || code == EINTR;
}

bool isClientGone(const std::error_code& failure) noexcept { return failure.value() == ECONNABORTED; }

const FailureCodes kFailureCodes{ETIMEDOUT, EHOSTUNREACH, EPIPE, EINVAL, EMSGSIZE};

std::error_code resolveError(int result) noexcept {
    // Name errors have no errno: report them as "no such host".
    if (result == EAI_SYSTEM) {
        return lastSystemError();
    }
    return {kFailureCodes.hostUnreachable, std::system_category()};
}

}  // namespace platform::net
