#include "platform/net/winsock.h"

namespace platform::net {

int startWinsock() noexcept { return 0; }

void cleanupWinsock() noexcept {}

}  // namespace platform::net
