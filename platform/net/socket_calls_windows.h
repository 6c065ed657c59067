#pragma once
// What the Windows socket files share: Winsock's headers, and sockets made
// the way the socket layer uses them. Every socket is non-blocking, as the
// POSIX side's calls are (MSG_DONTWAIT): each operation first waits, in
// steps that test the stop flag, until the socket is ready, and a send never
// blocks past a stop. No socket is inherited by a program this one starts.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <system_error>

#include "platform/net/socket_handle.h"

namespace platform::net {

// A new non-blocking socket, not inheritable; unopened with error set on
// failure. Call inside a use of Winsock (winsock.h).
SocketHandle makeSocket(int family, int type, int protocol, std::error_code& error);

// Makes an accepted socket what makeSocket makes; false with error set on
// failure.
bool prepareSocket(SOCKET socket, std::error_code& error);

}  // namespace platform::net
