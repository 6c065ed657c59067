#pragma once
// The owner of one POSIX socket descriptor, and the interruptible wait that
// every blocking socket operation of the program is built on: a wait polls
// in short steps and tests a stop flag between them, so a thread blocked in
// accept, receive or send notices a stop within kStopPollInterval.
// Errors are std::error_code values of std::system_category() holding the
// errno value (the Winsock error texts are mapped from that number).

#include <atomic>
#include <chrono>
#include <optional>
#include <system_error>

namespace platform::net {

// How often a blocked wait tests its stop flag.
inline constexpr std::chrono::milliseconds kStopPollInterval{100};

class SocketHandle {
public:
    SocketHandle() = default;
    explicit SocketHandle(int descriptor) noexcept : fd_(descriptor) {}
    SocketHandle(SocketHandle&& other) noexcept;
    SocketHandle& operator=(SocketHandle&& other) noexcept;
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    ~SocketHandle();

    bool isOpen() const noexcept { return fd_ >= 0; }
    int fd() const noexcept { return fd_; }
    void close() noexcept;
    // Ends both directions without closing the descriptor: a thread blocked
    // on this socket in another thread wakes up and sees the end of stream.
    void shutdownBoth() noexcept;

private:
    int fd_ = -1;
};

enum class WaitResult { Ready, Stopped, TimedOut, Failed };

// Waits until `events` (POLLIN, POLLOUT) are ready on the descriptor, the
// stop flag is set, or the time-out (none: no limit; 0: just look) has passed. Hang-up and
// socket errors count as ready, so that the following call reports them.
WaitResult waitUntilReady(int fd, short events, const std::atomic<bool>& stop,
                          std::optional<std::chrono::milliseconds> timeout,
                          std::error_code& error);

// errno as an error code.
std::error_code lastSystemError() noexcept;

}  // namespace platform::net
