#include "platform/net/tcp_socket.h"

#include <memory>

#include "platform/net/socket_calls_windows.h"
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
        // getaddrinfo answers with a Winsock code of its own.
        error = {result, std::system_category()};
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
    if (::connect(socket.fd(), address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK) {
            error = lastSystemError();
            return {};
        }
        const std::atomic<bool> never{false};
        const WaitResult waited = waitUntilReady(socket.fd(), POLLOUT, never, timeout, error);
        if (waited == WaitResult::TimedOut) {
            error = {WSAETIMEDOUT, std::system_category()};
            return {};
        }
        if (waited != WaitResult::Ready) {
            return {};
        }
        int pending = 0;
        int length = sizeof pending;
        if (::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&pending), &length) != 0) {
            error = lastSystemError();
            return {};
        }
        if (pending != 0) {
            error = {pending, std::system_category()};
            return {};
        }
    }
    return socket;
}

bool lf_wouldBlock() { return ::WSAGetLastError() == WSAEWOULDBLOCK; }

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
        error = {WSAEHOSTUNREACH, std::system_category()};
    }
    return {};
}

bool TcpSocket::setNoDelay(std::error_code& error) noexcept {
    const BOOL on = TRUE;
    if (::setsockopt(fd(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on) != 0) {
        error = lastSystemError();
        return false;
    }
    return true;
}

bool TcpSocket::sendAll(std::span<const std::byte> bytes, const std::atomic<bool>& stop,
                        std::error_code& error) {
    while (!bytes.empty()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 1U << 20U));
        const int sent = ::send(fd(), reinterpret_cast<const char*>(bytes.data()), chunk, 0);
        if (sent > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent == SOCKET_ERROR && lf_wouldBlock()) {
            if (waitUntilReady(fd(), POLLOUT, stop, std::nullopt, error) != WaitResult::Ready) {
                return false;
            }
            continue;
        }
        error = sent == SOCKET_ERROR ? lastSystemError() : std::error_code{WSAECONNRESET, std::system_category()};
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
        const int size = static_cast<int>(std::min<std::size_t>(buffer.size(), 1U << 30U));
        const int received = ::recv(fd(), reinterpret_cast<char*>(buffer.data()), size, 0);
        if (received > 0) {
            return {Status::Data, static_cast<std::size_t>(received)};
        }
        if (received == 0) {
            return {Status::Closed, 0};
        }
        if (!lf_wouldBlock()) {
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
    const BOOL on = TRUE;
    step = Step::reuseAddress;
    if (::setsockopt(socket.fd(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) != 0) {
        return fail();
    }
    step = Step::bind;
    if (::bind(socket.fd(), first.ai_addr, static_cast<int>(first.ai_addrlen)) != 0) {
        return fail();
    }
    step = Step::listen;
    if (::listen(socket.fd(), SOMAXCONN) != 0) {
        return fail();
    }
    sockaddr_storage bound{};
    int length = sizeof bound;
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
        SocketHandle client{::accept(fd(), nullptr, nullptr)};
        if (client.isOpen()) {
            if (!prepareSocket(client.fd(), error)) {
                return {};
            }
            return TcpSocket{std::move(client)};
        }
        // A client that gave up between the wait and the accept is no error.
        const int failure = ::WSAGetLastError();
        if (failure != WSAEWOULDBLOCK && failure != WSAECONNRESET && failure != WSAEINTR) {
            error = {failure, std::system_category()};
            return {};
        }
    }
}

}  // namespace platform::net
