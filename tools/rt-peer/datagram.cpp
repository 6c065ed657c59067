#include "datagram.h"

#include <iostream>

#include "console.h"

namespace rtpeer {

bool sendDatagram(platform::net::UdpSocket& socket, std::uint16_t port, const std::string& text,
                  std::string_view kind) {
    std::error_code error;
    if (!socket.sendTo("127.0.0.1", port, std::as_bytes(std::span{text}), error)) {
        std::cerr << "rt-peer: cannot send a " << kind << " datagram: " << error.message() << '\n';
        return false;
    }
    say("sent " + std::string{kind} + " " + std::to_string(text.size()) + " bytes");
    return true;
}

}  // namespace rtpeer
