#pragma once
// Socket errors as Winsock numbers them. The program reports socket failures
// with Winsock's codes (WSAGetLastError), so the POSIX errno of a failed
// socket call is mapped onto the Winsock code of the same meaning:
// EADDRINUSE gives 10048 (WSAEADDRINUSE), ECONNREFUSED 10061, EWOULDBLOCK
// 10035. An errno without a Winsock equivalent keeps its own number, which
// no Winsock code uses (they start at 10000). On Windows the socket layer's
// codes are Winsock's already and pass unchanged.

#include <cstdint>

namespace platform {

std::uint32_t winsockErrorFromErrno(int errnoValue);

// WSAGetLastError: the Winsock code of the calling thread's last errno.
std::uint32_t lastSocketError();

}  // namespace platform
