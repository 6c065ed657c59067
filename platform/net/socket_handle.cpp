#include "platform/net/socket_handle.h"

#include <algorithm>
#include <utility>

#include "platform/net/socket_calls.h"
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
        closeSocket(fd_);
        fd_ = kNoSocket;
        cleanupWinsock();
    }
}

void SocketHandle::shutdownBoth() noexcept {
    if (fd_ != kNoSocket) {
        shutdownSocket(fd_);
    }
}

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
        switch (pollOnce(fd, events, step, error)) {
            case PollResult::Ready: return WaitResult::Ready;
            case PollResult::Failed: return WaitResult::Failed;
            case PollResult::Quiet: break;
        }
        if (lastStep) {
            return WaitResult::TimedOut;
        }
    }
    return WaitResult::Stopped;
}

}  // namespace platform::net
