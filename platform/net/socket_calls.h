#pragma once
// The socket calls that differ between the systems, one name each, for the
// socket layer (socket_handle, tcp_socket, udp_socket), and the system's
// socket declarations: Winsock 2's on Windows, the BSD headers elsewhere.
// The layer's sockets are never inherited by a program this one starts. On
// Windows every one is non-blocking; on POSIX they block, and the layer's
// sends and receives are non-blocking by their flags (MSG_DONTWAIT). Either
// way each operation first waits, in steps that test the stop flag, until
// the socket is ready.

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#endif

#include <chrono>
#include <cstddef>
#include <span>
#include <system_error>

#include "platform/net/socket_handle.h"

namespace platform::net {

// A new socket; unopened with error set on failure. Call inside a use of
// Winsock (winsock.h). A datagram socket never fails a receive for an ICMP
// "port unreachable" that answers one of its sends (Windows does unless
// told not to).
SocketHandle makeSocket(int family, int type, int protocol, std::error_code& error);

// Takes a waiting client off the listener, made as makeSocket makes
// sockets; unopened with error set on failure.
SocketHandle acceptClient(SocketDescriptor listener, std::error_code& error);

enum class ConnectStart {
    Connected,
    InProgress,  // the socket turns writable when it ends; SO_ERROR tells how
    Failed,      // error tells why
};

// Starts a connect that does not block.
ConnectStart startConnect(SocketDescriptor socket, const addrinfo& address, std::error_code& error);

// Gives a socket whose connect has ended the mode makeSocket gave it; false
// with error set on failure.
bool endConnect(SocketDescriptor socket, std::error_code& error);

void closeSocket(SocketDescriptor socket) noexcept;

// Ends both directions of the stream.
void shutdownSocket(SocketDescriptor socket) noexcept;

enum class PollResult { Ready, Quiet, Failed };

// One look at the socket that lasts no longer than `step`: Ready when
// `events` (POLLIN, POLLOUT), a hang-up or a socket error are there, Quiet
// when nothing came (or a signal cut the look short), Failed with error set.
PollResult pollOnce(SocketDescriptor socket, short events, std::chrono::milliseconds step,
                    std::error_code& error);

// A send and a receive that do not block: the count of bytes moved (0 from
// a receive: the peer closed the stream), or -1 with lastSystemError() set.
std::ptrdiff_t sendBytes(SocketDescriptor socket, std::span<const std::byte> bytes);
std::ptrdiff_t receiveBytes(SocketDescriptor socket, std::span<std::byte> buffer);

// Takes one datagram off the socket without blocking and copies what fits
// into the buffer: its whole length (larger than the buffer when it did not
// fit), or -1 with lastSystemError() set.
std::ptrdiff_t receiveDatagram(SocketDescriptor socket, std::span<std::byte> buffer);

// Sends the bytes as one datagram: the count of bytes sent, or -1 with
// lastSystemError() set.
std::ptrdiff_t sendDatagram(SocketDescriptor socket, std::span<const std::byte> bytes,
                            const sockaddr_in& target);

// A failed call that found nothing to do yet (it would block, or a signal
// cut it short): the next wait tells when to try again.
bool isRetryable(const std::error_code& failure) noexcept;

// A failed accept of a client that gave up before it was accepted.
bool isClientGone(const std::error_code& failure) noexcept;

// The system's codes of the failures the layer reports of its own accord.
struct FailureCodes {
    int timedOut;          // a connect did not end within its time-out
    int hostUnreachable;   // no address of the host answered
    int peerGone;          // a send moved nothing
    int invalidArgument;   // not a numeric IPv4 address
    int datagramTooLarge;  // a datagram went out short
};
extern const FailureCodes kFailureCodes;

// The error of a getaddrinfo that returned `result` (not 0).
std::error_code resolveError(int result) noexcept;

}  // namespace platform::net
