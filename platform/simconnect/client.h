#pragma once
// One connection to a SimConnect server: the Open exchange with its version
// fallback, serialised sending with send ids, the reader thread that cuts
// the stream into records, and the queue that CallDispatch empties.

#include "platform/simconnect/config_file.h"
#include "platform/simconnect/packets.h"
#include "platform/simconnect/records.h"
#include "platform/simconnect/simconnect.h"
#include "platform/simconnect/stream.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform::simconnect {

class Client {
public:
    // Connects and exchanges Open; null when no simulator answers.
    static std::shared_ptr<Client> open(const ServerAddress& address, std::string_view applicationName,
                                        TargetSimulator target);
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    ~Client();

    // Stops the reader and ends the stream; later calls fail.
    void close();

    Result send(const packets::Packet& packet);
    // Sends one datum of a data definition and remembers its type, against
    // which the data records of that definition are checked.
    Result sendDatum(const packets::Packet& packet, std::uint32_t defineId, DataType datumType);
    std::uint32_t lastSentId() const { return lastSentId_.load(); }
    Result dispatch(DispatchProc dispatchProc, void* context);

private:
    enum class OpenAnswer { Opened, VersionMismatch, NoAnswer };

    explicit Client(std::unique_ptr<Stream> stream) : stream_(std::move(stream)) {}
    // Cuts what arrives into records and hands each to takeRecord until it
    // answers true (true), or until the deadline, an error, the end of the
    // stream, a protocol error or a stop (false).
    bool readRecords(std::optional<std::chrono::steady_clock::time_point> deadline,
                     const std::function<bool(std::vector<std::byte>&)>& takeRecord);
    OpenAnswer awaitOpenAnswer(std::uint32_t openSendId, bool lastVersion);
    void enqueue(std::vector<std::byte> message);
    void readUntilStopped();
    void markLost();

    std::unique_ptr<Stream> stream_;
    wire::Framer framer_{wire::kServerHeaderSize};  // the handshake's, then the reader thread's
    std::atomic<bool> stop_{false};
    std::atomic<bool> lost_{false};

    // Guards the stream's sending side, protocolVersion_ and nextSendId_;
    // taken alone, never while another lock of this client is held.
    // Its place in the lock order: docs/locks.md.
    std::mutex sendMutex_;
    std::uint32_t protocolVersion_ = 0;
    std::uint32_t nextSendId_ = wire::kFirstSendId;
    std::atomic<std::uint32_t> lastSentId_{0};

    // Guards queue_; taken alone.
    // Its place in the lock order: docs/locks.md.
    std::mutex queueMutex_;
    std::deque<std::vector<std::byte>> queue_;

    // Guards definitions_; taken alone.
    // Its place in the lock order: docs/locks.md.
    std::mutex definitionsMutex_;
    records::Definitions definitions_;

    std::thread reader_;
};

}  // namespace platform::simconnect
