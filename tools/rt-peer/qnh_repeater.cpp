#include "qnh_repeater.h"

#include <iostream>
#include <optional>

#include "datagram.h"
#include "platform/net/udp_socket.h"

namespace rtpeer {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kRepeatEvery = 60s;
// Vantrel starts its QNH reader just after the handshake.
constexpr auto kAfterHandshake = 2s;
constexpr auto kLookEvery = 50ms;

}  // namespace

QnhRepeater::QnhRepeater(std::string text, std::uint16_t port, const Link* link, const std::atomic<bool>& stop,
                         Clock::time_point deadline)
    : text_(std::move(text)), port_(port), link_(link), stop_(stop), deadline_(deadline) {
    thread_ = std::thread([this] { run(); });
}

QnhRepeater::~QnhRepeater() {
    ending_ = true;
    thread_.join();
}

void QnhRepeater::run() {
    std::error_code error;
    auto socket = platform::net::UdpSocket::open(error);
    if (!socket.isOpen()) {
        std::cerr << "rt-peer: no UDP socket for the QNH: " << error.message() << '\n';
        return;
    }
    std::uint32_t handshakesSeen = 0;
    std::optional<Clock::time_point> next;
    if (link_ == nullptr) {
        next = Clock::now();
    }
    while (!stop_ && !ending_ && Clock::now() < deadline_) {
        if (link_ != nullptr && link_->handshakes() != handshakesSeen) {
            handshakesSeen = link_->handshakes();
            next = Clock::now() + kAfterHandshake;
        }
        if (next && Clock::now() >= *next) {
            sendDatagram(socket, port_, text_, "qnh");
            next = *next + kRepeatEvery;
        }
        std::this_thread::sleep_for(kLookEvery);
    }
}

}  // namespace rtpeer
