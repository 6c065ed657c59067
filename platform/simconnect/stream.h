#pragma once
// The byte stream that carries SimConnect's packets and records: a TCP
// connection, or on Windows the simulator's local named pipe, which carries
// the same bytes. Every blocking call takes a stop flag and ends within
// net::kStopPollInterval once it is set. One thread may send while another
// receives.

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <system_error>

#include "platform/net/tcp_socket.h"
#include "platform/simconnect/config_file.h"

namespace platform::simconnect {

class Stream {
public:
    virtual ~Stream() = default;
    // Sends every byte; false on an error, a closed peer or a stop.
    virtual bool sendAll(std::span<const std::byte> bytes, const std::atomic<bool>& stop, std::error_code& error) = 0;
    // Waits for bytes (no longer than the time-out, when one is given) and
    // takes what has arrived, at most the buffer's size.
    virtual net::ReceiveResult receiveSome(std::span<std::byte> buffer, const std::atomic<bool>& stop,
                                           std::error_code& error,
                                           std::optional<std::chrono::milliseconds> timeout) = 0;
    // Ends both directions; a receive in another thread returns.
    virtual void shutdownBoth() noexcept = 0;
};

// The stream to the simulator at the address: when no SimConnect.cfg names
// the server, first the local named pipe (on Windows, when the simulator
// serves it), then TCP to the address. Null when neither answers.
std::unique_ptr<Stream> connectStream(const ServerAddress& address);

// The local named pipe of the simulator: \\.\pipe\Microsoft Flight
// Simulator\SimConnect. Null where there is none (and on systems without
// named pipes).
std::unique_ptr<Stream> connectLocalPipe();

}  // namespace platform::simconnect
