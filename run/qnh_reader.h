#pragma once
// The QNH reader: receives RealTraffic's weather at the user's position on
// UDP port 49004, small JSON objects whose member "QNH" holds the sea-level
// pressure, and publishes each accepted value (930 to 1080 hPa) to the
// traffic manager, the RealTraffic link and the main window.

#include <atomic>
#include <cstdint>
#include <string_view>

#include "records/qnh.h"
#include "run/udp_receiver.h"

class QnhReader final : public UdpReceiver {
public:
    // The last value accepted, hPa; 0 at program start, 1013 at the start of
    // each run. The reader's thread only, but for the run's reset.
    std::atomic<int> lastQnh{0};

    // Reads "QNH" (a JSON integer, a number rounded to an int, or a text
    // that begins with an int); a value above 1080 is hundredths of an inch
    // of mercury. Publishes a value that differs from the last one, and
    // 1013 every time. Logs and drops what it cannot use. Never throws.
    void processDatagram(std::string_view datagram) override;

protected:
    void onStopped() override;
};

// The QNH reader's thread body ("QNH Reader"): binds the port, lights the
// weather lamp, receives until stopped.
void runQnhReader(std::uint16_t port);
