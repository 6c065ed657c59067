#pragma once
// One client's byte stream as the stand-in's one thread uses it: a TCP
// connection, or on Windows an instance of the simulator's named pipe,
// which carries the same bytes. No call waits: the server's loop waits for
// all connections at once (server_events.h) and then tries each.

#include <cstddef>
#include <span>
#include <string_view>

namespace sim {

class Connection {
public:
    enum class Io { Done, WouldBlock, Ended };

    virtual ~Connection() = default;

    // Takes what has arrived, at most the buffer's size, into `count`.
    virtual Io receive(std::span<std::byte> buffer, std::size_t& count) = 0;
    // Hands over what the connection takes now of the bytes; `count` tells
    // how many. WouldBlock while it takes none.
    virtual Io send(std::span<const std::byte> bytes, std::size_t& count) = 0;
    // Ends both directions; the client sees the end of the stream.
    virtual void shutdown() noexcept = 0;
    // "tcp" or "pipe", for the control interface's list of clients.
    virtual std::string_view kind() const noexcept = 0;
};

}  // namespace sim
