#include "platform/net/socket_calls_windows.h"

#include <windows.h>

namespace platform::net {

bool prepareSocket(SOCKET socket, std::error_code& error) {
    u_long nonBlocking = 1;
    if (::ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
        error = lastSystemError();
        return false;
    }
    if (::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0) == 0) {
        error = {static_cast<int>(::GetLastError()), std::system_category()};
        return false;
    }
    return true;
}

SocketHandle makeSocket(int family, int type, int protocol, std::error_code& error) {
    SocketHandle socket{::WSASocketW(family, type, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED)};
    if (!socket.isOpen()) {
        error = lastSystemError();
        return {};
    }
    if (!prepareSocket(socket.fd(), error)) {
        return {};
    }
    return socket;
}

}  // namespace platform::net
