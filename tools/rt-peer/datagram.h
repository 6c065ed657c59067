#pragma once
// One datagram of the feed to 127.0.0.1, said on standard output when sent.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/net/udp_socket.h"

namespace rtpeer {

// False, with a line on standard error, when it cannot be sent.
bool sendDatagram(platform::net::UdpSocket& socket, std::uint16_t port, const std::string& text,
                  std::string_view kind);

}  // namespace rtpeer
