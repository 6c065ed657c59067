#pragma once
// The owner of one socket (a POSIX descriptor, or a Winsock SOCKET on
// Windows), and the interruptible wait that
// every blocking socket operation of the program is built on: a wait polls
// in short steps and tests a stop flag between them, so a thread blocked in
// accept, receive or send notices a stop within kStopPollInterval.
// Errors are std::error_code values of std::system_category() holding the
// errno value (the Winsock error texts are mapped from that number), or on
// Windows the WSAGetLastError code itself.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <system_error>

namespace platform::net {

#ifdef _WIN32
using SocketDescriptor = std::uintptr_t;                         // SOCKET
inline constexpr SocketDescriptor kNoSocket = ~SocketDescriptor{0};  // INVALID_SOCKET
#else
using SocketDescriptor = int;
inline constexpr SocketDescriptor kNoSocket = -1;
#endif

// How often a blocked wait tests its stop flag.
inline constexpr std::chrono::milliseconds kStopPollInterval{100};

class SocketHandle {
public:
    SocketHandle() = default;
    // Takes the socket over (on Windows with a use of Winsock that lasts
    // until it is closed).
    explicit SocketHandle(SocketDescriptor descriptor) noexcept;
    SocketHandle(SocketHandle&& other) noexcept;
    SocketHandle& operator=(SocketHandle&& other) noexcept;
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    ~SocketHandle();

    bool isOpen() const noexcept { return fd_ != kNoSocket; }
    SocketDescriptor fd() const noexcept { return fd_; }
    void close() noexcept;
    // Ends both directions without closing the descriptor: a thread blocked
    // on this socket in another thread wakes up and sees the end of stream.
    void shutdownBoth() noexcept;

private:
    SocketDescriptor fd_ = kNoSocket;
};

enum class WaitResult { Ready, Stopped, TimedOut, Failed };

// Waits until `events` (POLLIN, POLLOUT) are ready on the descriptor, the
// stop flag is set, or the time-out (none: no limit; 0: just look) has passed. Hang-up and
// socket errors count as ready, so that the following call reports them.
WaitResult waitUntilReady(SocketDescriptor fd, short events, const std::atomic<bool>& stop,
                          std::optional<std::chrono::milliseconds> timeout,
                          std::error_code& error);

// errno (on Windows WSAGetLastError) as an error code.
std::error_code lastSystemError() noexcept;

}  // namespace platform::net
