#include "platform/net/tcp_socket.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

namespace platform::net {

namespace {

using AddressList = std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)>;

AddressList lf_resolve(const std::string& host, std::uint16_t port, int family, bool passive,
                       std::error_code& error) {
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = passive ? AI_PASSIVE : 0;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const int result = ::getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &found);
    if (result != 0) {
        // Name errors have no errno: report them as "no such host".
        error = result == EAI_SYSTEM ? lastSystemError() : std::error_code{EHOSTUNREACH, std::system_category()};
        return {nullptr, &::freeaddrinfo};
    }
    return {found, &::freeaddrinfo};
}

bool lf_setBlocking(int fd, bool blocking) {
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0) {
        return false;
    }
    const int wanted = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return ::fcntl(fd, F_SETFL, wanted) == 0;
}

// One non-blocking connect attempt, finished by a wait with a time-out.
SocketHandle lf_connectOne(const addrinfo& address, std::chrono::milliseconds timeout,
                           std::error_code& error) {
    SocketHandle socket{::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC, address.ai_protocol)};
    if (!socket.isOpen() || !lf_setBlocking(socket.fd(), false)) {
        error = lastSystemError();
        return {};
    }
    if (::connect(socket.fd(), address.ai_addr, address.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            error = lastSystemError();
            return {};
        }
        const std::atomic<bool> never{false};
        const WaitResult waited = waitUntilReady(socket.fd(), POLLOUT, never, timeout, error);
        if (waited == WaitResult::TimedOut) {
            error = {ETIMEDOUT, std::system_category()};
            return {};
        }
        if (waited != WaitResult::Ready) {
            return {};
        }
        int pending = 0;
        socklen_t length = sizeof pending;
        if (::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &pending, &length) != 0) {
            error = lastSystemError();
            return {};
        }
        if (pending != 0) {
            error = {pending, std::system_category()};
            return {};
        }
    }
    if (!lf_setBlocking(socket.fd(), true)) {
        error = lastSystemError();
        return {};
    }
    return socket;
}

}  // namespace

TcpSocket TcpSocket::connect(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds timeout, std::error_code& error, int family) {
    error.clear();
    const AddressList addresses = lf_resolve(host, port, family, false, error);
    for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
        error.clear();
        SocketHandle socket = lf_connectOne(*address, timeout, error);
        if (socket.isOpen()) {
            return TcpSocket{std::move(socket)};
        }
    }
    if (!error) {
        error = {EHOSTUNREACH, std::system_category()};
    }
    return {};
}

bool TcpSocket::setNoDelay(std::error_code& error) noexcept {
    const int on = 1;
    if (::setsockopt(fd(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) != 0) {
        error = lastSystemError();
        return false;
    }
    return true;
}

bool TcpSocket::sendAll(std::span<const std::byte> bytes, const std::atomic<bool>& stop,
                        std::error_code& error) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (waitUntilReady(fd(), POLLOUT, stop, std::nullopt, error) != WaitResult::Ready) {
                return false;
            }
            continue;
        }
        error = sent < 0 ? lastSystemError() : std::error_code{EPIPE, std::system_category()};
        return false;
    }
    return true;
}

ReceiveResult TcpSocket::receiveSome(std::span<std::byte> buffer, const std::atomic<bool>& stop,
                                     std::error_code& error,
                                     std::optional<std::chrono::milliseconds> timeout) {
    using Status = ReceiveResult::Status;
    for (;;) {
        switch (waitUntilReady(fd(), POLLIN, stop, timeout, error)) {
            case WaitResult::Ready: break;
            case WaitResult::Stopped: return {Status::Stopped, 0};
            case WaitResult::TimedOut: return {Status::TimedOut, 0};
            case WaitResult::Failed: return {Status::Failed, 0};
        }
        const ssize_t received = ::recv(fd(), buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (received > 0) {
            return {Status::Data, static_cast<std::size_t>(received)};
        }
        if (received == 0) {
            return {Status::Closed, 0};
        }
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            error = lastSystemError();
            return {Status::Failed, 0};
        }
    }
}

TcpListener TcpListener::listen(const std::string& address, std::uint16_t port,
                                std::error_code& error, int family, Step* failedStep) {
    error.clear();
    Step step = Step::resolve;
    const auto fail = [&] {
        if (!error) {
            error = lastSystemError();
        }
        if (failedStep != nullptr) {
            *failedStep = step;
        }
        return TcpListener{};
    };
    const AddressList addresses = lf_resolve(address, port, family, true, error);
    if (!addresses) {
        return fail();
    }
    const addrinfo& first = *addresses;
    step = Step::socket;
    SocketHandle socket{::socket(first.ai_family, first.ai_socktype | SOCK_CLOEXEC, first.ai_protocol)};
    if (!socket.isOpen()) {
        return fail();
    }
    const int on = 1;
    step = Step::reuseAddress;
    if (::setsockopt(socket.fd(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
        return fail();
    }
    step = Step::bind;
    if (::bind(socket.fd(), first.ai_addr, first.ai_addrlen) != 0) {
        return fail();
    }
    step = Step::listen;
    if (::listen(socket.fd(), SOMAXCONN) != 0) {
        return fail();
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    step = Step::localAddress;
    if (::getsockname(socket.fd(), reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
        return fail();
    }
    TcpListener listener;
    listener.port_ = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(bound).sin6_port
                                                       : reinterpret_cast<sockaddr_in&>(bound).sin_port);
    listener.handle_ = std::move(socket);
    return listener;
}

TcpSocket TcpListener::accept(const std::atomic<bool>& stop, std::error_code& error,
                              std::optional<std::chrono::milliseconds> timeout) {
    for (;;) {
        if (waitUntilReady(fd(), POLLIN, stop, timeout, error) != WaitResult::Ready) {
            return {};
        }
        const int client = ::accept4(fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client >= 0) {
            SocketHandle handle{client};
            if (!lf_setBlocking(client, true)) {
                error = lastSystemError();
                return {};
            }
            return TcpSocket{std::move(handle)};
        }
        // A client that gave up between the wait and the accept is no error.
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK && errno != ECONNABORTED) {
            error = lastSystemError();
            return {};
        }
    }
}

}  // namespace platform::net
