#pragma once
// The stand-in simulator: its world, its client sessions, and the work of
// one simulator frame (new and removed objects, frame events, periodic data).
// Everything runs on the server's one thread.

#include "connection.h"
#include "world.h"

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sim {

class Session;

// What the simulator says it is in its OPEN record, and which protocol
// versions of a client's Open it accepts.
struct Identity {
    std::string applicationName = "KittyHawk";
    std::array<std::uint32_t, 4> applicationVersion{11, 0, 282174, 999};
    std::vector<std::uint32_t> acceptedProtocols{5, 4};
};

// One packet a client sent, as it arrived.
struct JournalEntry {
    std::uint64_t index = 0;
    std::uint32_t session = 0;
    std::uint32_t sendId = 0;
    std::uint32_t version = 0;
    std::string type;  // the call's name, or its number in hex when unknown
    std::string hex;   // the whole packet
};

class Simulator {
public:
    // The journal keeps this many of the latest packets.
    static constexpr std::size_t kJournalLimit = 100000;
    // ... and no more than this many bytes of packets, the oldest going first.
    static constexpr std::size_t kJournalByteLimit = 16 * 1024 * 1024;

    Simulator(World initialWorld, Identity simulatorIdentity);
    ~Simulator();

    World world;
    Identity identity;

    void addSession(std::unique_ptr<Connection> connection);
    std::vector<Session*> sessions();
    // Ends the sessions whose connection was lost or closed.
    void removeEndedSessions();

    // One frame of the given length.
    void frame(double seconds);

    void journalPacket(std::uint32_t session, std::span<const std::byte> packet);
    const std::deque<JournalEntry>& journal() const { return journal_; }

    // The next packet of this type is refused with the exception.
    void injectFailure(std::uint32_t packetType, std::uint32_t exception);
    std::optional<std::uint32_t> takeInjectedFailure(std::uint32_t packetType);

    // A client's AI aircraft appears createDelayFrames later.
    void queueCreate(SimObject object, std::uint32_t session, std::uint32_t requestId);
    // The object leaves on the next frame.
    void queueRemoval(std::uint32_t objectId);
    bool removalQueued(std::uint32_t objectId) const;
    // An aircraft of another program appears at once.
    void addOtherAircraft(SimObject object);

    void setRunning(bool running);
    void flightLoaded(const std::string& path);
    void sendException(std::uint32_t exception, std::uint32_t sendId, std::uint32_t index);
    // Sends QUIT to every client and ends their connections.
    void quitAll();
    // Ends every connection without a word.
    void dropAll();

    // Writes a line to standard error when an AI aircraft appears or leaves,
    // and where each one is every 10 s of the simulator's time, so that a
    // person can follow the traffic a client makes.
    void showTraffic(bool on) { showTraffic_ = on; }

private:
    struct PendingCreate {
        SimObject object;
        std::uint64_t readyFrame = 0;
        std::uint32_t session = 0;
        std::uint32_t requestId = 0;
    };

    void announceAdded(const SimObject& object);
    void removeNow(std::uint32_t objectId, const std::string& reason);
    void showWhereTrafficIs() const;

    std::map<std::uint32_t, std::unique_ptr<Session>> sessions_;
    std::uint32_t nextSessionId_ = 1;
    std::vector<PendingCreate> pendingCreates_;
    std::vector<std::uint32_t> pendingRemovals_;
    std::deque<JournalEntry> journal_;
    std::size_t journalBytes_ = 0;  // packet bytes of the entries in journal_
    std::uint64_t journalNext_ = 0;
    std::map<std::uint32_t, std::deque<std::uint32_t>> injectedFailures_;
    double elapsedS_ = 0.0;
    bool showTraffic_ = false;
};

}  // namespace sim
