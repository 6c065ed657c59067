#include "platform/net/socket_handle.h"

#include <algorithm>
#include <utility>
#include <winsock2.h>

#include "platform/net/winsock.h"

namespace platform::net {

SocketHandle::SocketHandle(SocketDescriptor descriptor) noexcept : fd_(descriptor) {
    // The socket was made inside a use of Winsock; this one keeps Winsock
    // up until the socket is closed.
    if (fd_ != kNoSocket) {
        startWinsock();
    }
}

SocketHandle::SocketHandle(SocketHandle&& other) noexcept : fd_(std::exchange(other.fd_, kNoSocket)) {}

SocketHandle& SocketHandle::operator=(SocketHandle&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, kNoSocket);
    }
    return *this;
}

SocketHandle::~SocketHandle() { close(); }

void SocketHandle::close() noexcept {
    if (fd_ != kNoSocket) {
        ::closesocket(fd_);
        fd_ = kNoSocket;
        cleanupWinsock();
    }
}

void SocketHandle::shutdownBoth() noexcept {
    if (fd_ != kNoSocket) {
        ::shutdown(fd_, SD_BOTH);
    }
}

std::error_code lastSystemError() noexcept { return {::WSAGetLastError(), std::system_category()}; }

// select() rather than WSAPoll: WSAPoll of older Windows 10 releases never
// reports a failed connect, which select reports in its error set.
WaitResult waitUntilReady(SocketDescriptor fd, short events, const std::atomic<bool>& stop,
                          std::optional<std::chrono::milliseconds> timeout,
                          std::error_code& error) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = timeout ? Clock::now() + *timeout : Clock::time_point::max();
    while (!stop.load()) {
        auto step = kStopPollInterval;
        bool lastStep = false;
        if (timeout) {
            const auto left = std::max(std::chrono::milliseconds{0},
                                       std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()));
            if (left <= step) {
                step = left;
                lastStep = true;
            }
        }
        fd_set readable;
        fd_set writable;
        fd_set failed;
        FD_ZERO(&readable);
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        if ((events & POLLIN) != 0) {
            FD_SET(fd, &readable);
        }
        if ((events & POLLOUT) != 0) {
            FD_SET(fd, &writable);
        }
        FD_SET(fd, &failed);
        const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(step).count();
        timeval wait{static_cast<long>(microseconds / 1000000), static_cast<long>(microseconds % 1000000)};
        const int ready = ::select(0, &readable, &writable, &failed, &wait);
        if (ready > 0) {
            return WaitResult::Ready;
        }
        if (ready == SOCKET_ERROR) {
            error = lastSystemError();
            return WaitResult::Failed;
        }
        if (lastStep) {
            return WaitResult::TimedOut;
        }
    }
    return WaitResult::Stopped;
}

}  // namespace platform::net
