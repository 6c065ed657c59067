#include "platform/net/tcp_socket.h"

#include <memory>

#include "platform/net/socket_calls.h"
#include "platform/net/winsock.h"

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
        error = resolveError(result);
        return {nullptr, &::freeaddrinfo};
    }
    return {found, &::freeaddrinfo};
}

// One connect attempt, finished by a wait with a time-out.
SocketHandle lf_connectOne(const addrinfo& address, std::chrono::milliseconds timeout,
                           std::error_code& error) {
    SocketHandle socket = makeSocket(address.ai_family, address.ai_socktype, address.ai_protocol, error);
    if (!socket.isOpen()) {
        return {};
    }
    const ConnectStart start = startConnect(socket.fd(), address, error);
    if (start == ConnectStart::Failed) {
        return {};
    }
    if (start == ConnectStart::InProgress) {
        const std::atomic<bool> never{false};
        const WaitResult waited = waitUntilReady(socket.fd(), POLLOUT, never, timeout, error);
        if (waited == WaitResult::TimedOut) {
            error = {kFailureCodes.timedOut, std::system_category()};
            return {};
        }
        if (waited != WaitResult::Ready) {
            return {};
        }
        int pending = 0;
        socklen_t length = sizeof pending;
        if (::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&pending), &length) != 0) {
            error = lastSystemError();
            return {};
        }
        if (pending != 0) {
            error = {pending, std::system_category()};
            return {};
        }
    }
    if (!endConnect(socket.fd(), error)) {
        return {};
    }
    return socket;
}

}  // namespace

TcpSocket TcpSocket::connect(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds timeout, std::error_code& error, int family) {
    error.clear();
    const WinsockUse winsock;
    if (winsock.startError() != 0) {
        error = {winsock.startError(), std::system_category()};
        return {};
    }
    const AddressList addresses = lf_resolve(host, port, family, false, error);
    for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
        error.clear();
        SocketHandle socket = lf_connectOne(*address, timeout, error);
        if (socket.isOpen()) {
            return TcpSocket{std::move(socket)};
        }
    }
    if (!error) {
        error = {kFailureCodes.hostUnreachable, std::system_category()};
    }
    return {};
}

bool TcpSocket::setNoDelay(std::error_code& error) noexcept {
    const int on = 1;
    if (::setsockopt(fd(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on) != 0) {
        error = lastSystemError();
        return false;
    }
    return true;
}

bool TcpSocket::sendAll(std::span<const std::byte> bytes, const std::atomic<bool>& stop,
                        std::error_code& error) {
    while (!bytes.empty()) {
        const std::ptrdiff_t sent = sendBytes(fd(), bytes);
        if (sent > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent == 0) {
            error = {kFailureCodes.peerGone, std::system_category()};
            return false;
        }
        const std::error_code failure = lastSystemError();
        if (!isRetryable(failure)) {
            error = failure;
            return false;
        }
        if (waitUntilReady(fd(), POLLOUT, stop, std::nullopt, error) != WaitResult::Ready) {
            return false;
        }
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
        const std::ptrdiff_t received = receiveBytes(fd(), buffer);
        if (received > 0) {
            return {Status::Data, static_cast<std::size_t>(received)};
        }
        if (received == 0) {
            return {Status::Closed, 0};
        }
        const std::error_code failure = lastSystemError();
        if (!isRetryable(failure)) {
            error = failure;
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
    const WinsockUse winsock;
    if (winsock.startError() != 0) {
        error = {winsock.startError(), std::system_category()};
        return fail();
    }
    const AddressList addresses = lf_resolve(address, port, family, true, error);
    if (!addresses) {
        return fail();
    }
    const addrinfo& first = *addresses;
    step = Step::socket;
    SocketHandle socket = makeSocket(first.ai_family, first.ai_socktype, first.ai_protocol, error);
    if (!socket.isOpen()) {
        return fail();
    }
    const int on = 1;
    step = Step::reuseAddress;
    if (::setsockopt(socket.fd(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) != 0) {
        return fail();
    }
    step = Step::bind;
    if (::bind(socket.fd(), first.ai_addr, static_cast<socklen_t>(first.ai_addrlen)) != 0) {
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
        std::error_code failure;
        SocketHandle client = acceptClient(fd(), failure);
        if (client.isOpen()) {
            return TcpSocket{std::move(client)};
        }
        // A client that gave up between the wait and the accept is no error.
        if (!isRetryable(failure) && !isClientGone(failure)) {
            error = failure;
            return {};
        }
    }
}

}  // namespace platform::net
