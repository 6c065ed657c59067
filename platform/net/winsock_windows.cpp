#include "platform/net/winsock.h"

#include <winsock2.h>

namespace platform::net {

int startWinsock() noexcept {
    WSADATA data{};
    return ::WSAStartup(MAKEWORD(2, 2), &data);
}

void cleanupWinsock() noexcept { ::WSACleanup(); }

}  // namespace platform::net
