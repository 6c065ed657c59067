#include "platform/net/socket_errors.h"

#include <winsock2.h>

namespace platform {

// The socket layer's error codes are Winsock's own here.
std::uint32_t winsockErrorFromErrno(int errnoValue) { return static_cast<std::uint32_t>(errnoValue); }

std::uint32_t lastSocketError() { return static_cast<std::uint32_t>(::WSAGetLastError()); }

}  // namespace platform
