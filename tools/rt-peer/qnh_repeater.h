#pragma once
// Sends one QNH datagram again and again, on a thread of its own: once
// Vantrel has connected (with a link: each time the link's handshake is
// answered, after Vantrel has had time to start its QNH reader; without a
// link: at once) and then every minute, so that Vantrel's weather light
// stays green for as long as the peer runs.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "link.h"

namespace rtpeer {

class QnhRepeater {
public:
    // link may be null. Ends when `stop` is set, at the deadline, or with
    // this object.
    QnhRepeater(std::string text, std::uint16_t port, const Link* link, const std::atomic<bool>& stop,
                std::chrono::steady_clock::time_point deadline);
    ~QnhRepeater();
    QnhRepeater(const QnhRepeater&) = delete;
    QnhRepeater& operator=(const QnhRepeater&) = delete;

private:
    void run();

    const std::string text_;
    const std::uint16_t port_;
    const Link* const link_;
    const std::atomic<bool>& stop_;
    const std::chrono::steady_clock::time_point deadline_;
    std::atomic<bool> ending_{false};
    std::thread thread_;
};

}  // namespace rtpeer
