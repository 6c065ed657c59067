#pragma once
// One client connection of the stand-in simulator: the Open exchange, the
// client's data definitions, mapped events, notification groups, requests
// and system-event subscriptions, and the handling of each packet it sends.
// A bad packet is answered with the exception the simulator would send.

#include "connection.h"
#include "platform/simconnect/simconnect.h"
#include "platform/simconnect/wire.h"
#include "variables.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class Simulator;

// Where the fields of a create call lie; the older call has no livery name.
struct CreateLayout {
    std::size_t liveryOffset;  // 0: none
    std::size_t tailNumberOffset;
    std::size_t positionOffset;
    std::size_t requestIdOffset;
};

class Session {
public:
    Session(std::uint32_t id, std::unique_ptr<Connection> connection, Simulator& simulator);

    std::uint32_t id() const { return id_; }
    const Connection& connection() const { return *connection_; }
    bool isOpen() const { return protocol_ != 0; }
    bool ended() const { return ended_; }
    const std::string& name() const { return name_; }
    std::uint32_t protocol() const { return protocol_; }

    // Reads what has arrived and handles every whole packet.
    void onReadable();
    // Records wait here while the client's socket takes no more.
    bool hasQueuedOutput() const { return outbox_.size() > outboxStart_; }
    // Sends what the socket takes now of the queued records.
    void onWritable();
    // The frame event and the data of the requests that fall due.
    void onFrame(bool secondPassed);

    void notifySystemEvent(const std::string& systemEvent, std::uint32_t data);
    void notifyObjectAddedOrRemoved(const std::string& systemEvent, std::uint32_t objectId);
    void notifyFilename(const std::string& path);
    void sendAssignedObjectId(std::uint32_t requestId, std::uint32_t objectId);
    void sendException(platform::simconnect::Exception exception, std::uint32_t sendId, std::uint32_t index);
    void sendQuit();
    void end();

private:
    struct Datum {
        const Variable* variable = nullptr;
        double factor = 1.0;  // natural unit -> requested unit
        platform::simconnect::DataType type{};
    };
    using Definition = std::vector<Datum>;

    struct Request {
        std::uint32_t requestId = 0;
        std::uint32_t defineId = 0;
        std::uint32_t objectId = 0;
        platform::simconnect::Period period{};
        std::uint32_t flags = 0;
        std::uint32_t interval = 0;
        std::uint32_t limit = 0;
        std::uint32_t periodsSinceSent = 0;
        std::uint32_t sentCount = 0;
        std::vector<std::byte> lastData;
    };

    struct Packet {
        std::uint32_t type;
        std::uint32_t sendId;
        platform::simconnect::wire::Reader reader;
    };

    // Queues the record and sends what the socket takes without waiting. A
    // client that lets more than the cap pile up is dropped.
    void send(const std::vector<std::byte>& record);
    void flush();
    void handle(std::span<const std::byte> message);
    void dispatchPacket(const Packet& packet);
    void onOpen(const Packet& packet);
    void onSubscribe(const Packet& packet);
    void onAddToDataDefinition(const Packet& packet);
    void onMapClientEvent(const Packet& packet);
    void onAddToGroup(const Packet& packet);
    void onSetGroupPriority(const Packet& packet);
    void onRequestData(const Packet& packet);
    void onRequestDataByType(const Packet& packet);
    void onSetData(const Packet& packet);
    void onTransmitEvent(const Packet& packet);
    void onCreate(const Packet& packet, const CreateLayout& layout);
    void onReleaseControl(const Packet& packet);
    void onRemove(const Packet& packet);
    void onSetFlightPlan(const Packet& packet);

    // Sends the request's data when it is due; false when it is finished.
    bool serveRequest(Request& request, bool force);
    std::vector<std::byte> encodeData(const Definition& definition, const SimObject& object) const;
    // The client's own AI object; null, with the exception sent, for the user
    // aircraft, another's object or an unknown id.
    SimObject* ownAiObject(const Packet& packet, std::uint32_t objectId, std::uint32_t index);

    std::uint32_t id_;
    std::unique_ptr<Connection> connection_;
    Simulator& simulator_;
    platform::simconnect::wire::Framer framer_{platform::simconnect::wire::kClientHeaderSize};
    bool ended_ = false;
    std::vector<std::byte> receiveBuffer_;
    std::vector<std::byte> outbox_;
    std::size_t outboxStart_ = 0;  // first byte of outbox_ not yet sent
    std::uint32_t protocol_ = 0;
    std::string name_;
    std::map<std::uint32_t, Definition> definitions_;
    std::map<std::uint32_t, std::string> mappedEvents_;           // client event id -> simulator event
    std::map<std::uint32_t, std::uint32_t> groupPriorities_;      // group -> priority
    std::map<std::uint32_t, std::vector<std::uint32_t>> groups_;  // group -> client events
    std::map<std::string, std::uint32_t> subscriptions_;          // "SIM", "FRAME", ... -> client event id
    std::vector<Request> requests_;
};

}  // namespace sim
