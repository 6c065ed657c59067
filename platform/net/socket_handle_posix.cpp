#include "platform/net/socket_handle.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace platform::net {

SocketHandle::SocketHandle(SocketDescriptor descriptor) noexcept : fd_(descriptor) {}

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
        ::close(fd_);
        fd_ = kNoSocket;
    }
}

void SocketHandle::shutdownBoth() noexcept {
    if (fd_ != kNoSocket) {
        ::shutdown(fd_, SHUT_RDWR);
    }
}

std::error_code lastSystemError() noexcept { return {errno, std::system_category()}; }

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
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(step.count()));
        if (ready > 0) {
            return WaitResult::Ready;
        }
        if (ready < 0 && errno != EINTR) {
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
