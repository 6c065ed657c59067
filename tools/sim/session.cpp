#include "session.h"

#include "client_text.h"
#include "flight_plan_file.h"
#include "server_records.h"
#include "sim_events.h"
#include "simulator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <limits>
#include <numbers>
#include <optional>
#include <stdexcept>

namespace sim {

namespace sc = platform::simconnect;
namespace wire = platform::simconnect::wire;
using sc::DataType;
using sc::Exception;

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
// Airspeeds above this in a create are the "cruise" and "keep" markers.
constexpr std::uint32_t kMaxAirspeedKt = 1000;
constexpr double kCruiseSpeedKt = 250.0;
constexpr std::size_t kReceiveBufferSize = 65536;
// Records queued for a client beyond what its socket holds; a client that
// reads this far behind has stopped reading.
constexpr std::size_t kMaxQueuedBytes = 8 * 1024 * 1024;

constexpr CreateLayout kCreateLayout{0, 272, 284, 340};
constexpr CreateLayout kCreateEx1Layout{272, 528, 540, 596};

std::string lf_upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return text;
}

bool lf_isTextType(DataType type) {
    return type == DataType::String32 || type == DataType::String256 || type == DataType::String260 ||
           type == DataType::StringV;
}

bool lf_isNumberType(DataType type) {
    return type == DataType::Int32 || type == DataType::Int64 || type == DataType::Float32 ||
           type == DataType::Float64;
}

template <typename Integer>
Integer lf_clampedInteger(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    // The lowest Integer is a power of two, so exactly a double. The highest
    // of a 64-bit one is not: it rounds up to 2^63, whose conversion would be
    // undefined, so everything from that bound on becomes the highest.
    const double low = static_cast<double>(std::numeric_limits<Integer>::min());
    const double high = static_cast<double>(std::numeric_limits<Integer>::max());
    const double whole = std::trunc(value);
    if (whole >= high) {
        return std::numeric_limits<Integer>::max();
    }
    return static_cast<Integer>(std::max(whole, low));
}

std::string lf_text(const wire::Reader& reader, std::size_t offset, std::size_t fieldSize) {
    return clientTextToUtf8(reader.text(offset, fieldSize));
}

}  // namespace

Session::Session(std::uint32_t id, std::unique_ptr<Connection> connection, Simulator& simulator)
    : id_(id), connection_(std::move(connection)), simulator_(simulator) {}

void Session::send(const std::vector<std::byte>& record) {
    if (ended_) {
        return;
    }
    outbox_.insert(outbox_.end(), record.begin(), record.end());
    flush();
    if (!ended_ && outbox_.size() - outboxStart_ > kMaxQueuedBytes) {
        std::cerr << "vantrel-sim: client " << id_ << " does not read what it is sent; closing it\n";
        end();
    }
}

void Session::onWritable() { flush(); }

void Session::flush() {
    while (!ended_ && hasQueuedOutput()) {
        std::size_t sent = 0;
        const Connection::Io io = connection_->send(std::span{outbox_}.subspan(outboxStart_), sent);
        if (io == Connection::Io::WouldBlock) {
            break;
        }
        if (io == Connection::Io::Ended) {
            ended_ = true;
            break;
        }
        outboxStart_ += sent;
    }
    if (!hasQueuedOutput()) {
        outbox_.clear();
        outboxStart_ = 0;
    } else if (outboxStart_ > outbox_.size() / 2) {
        outbox_.erase(outbox_.begin(), outbox_.begin() + static_cast<std::ptrdiff_t>(outboxStart_));
        outboxStart_ = 0;
    }
}

void Session::end() {
    connection_->shutdown();
    ended_ = true;
}

void Session::onReadable() {
    receiveBuffer_.resize(kReceiveBufferSize);
    std::size_t received = 0;
    switch (connection_->receive(receiveBuffer_, received)) {
        case Connection::Io::WouldBlock: return;
        case Connection::Io::Ended: ended_ = true; return;
        case Connection::Io::Done: break;
    }
    framer_.append(std::span{receiveBuffer_}.first(received));
    std::vector<std::byte> message;
    for (;;) {
        const wire::Framer::Next next = framer_.next(message);
        if (next == wire::Framer::Next::NeedMore) {
            return;
        }
        if (next == wire::Framer::Next::ProtocolError) {
            std::cerr << "vantrel-sim: client " << id_ << " sent a message of impossible size; closing it\n";
            end();
            return;
        }
        handle(message);
    }
}

void Session::handle(std::span<const std::byte> message) {
    simulator_.journalPacket(id_, message);
    const wire::Reader header{message};
    const std::uint32_t rawType = header.u32(8);
    const Packet packet{rawType & ~wire::kPacketTypeMark, header.u32(12), header};
    if (packet.type == static_cast<std::uint32_t>(wire::PacketType::Open)) {
        try {
            onOpen(packet);
        } catch (const std::out_of_range&) {
            sendException(Exception::SizeMismatch, packet.sendId, 0);
        }
        return;
    }
    if (!isOpen()) {
        return;  // nothing counts before a good Open
    }
    if ((rawType & wire::kPacketTypeMark) != wire::kPacketTypeMark) {
        sendException(Exception::UnrecognizedId, packet.sendId, 0);
        return;
    }
    if (const auto failure = simulator_.takeInjectedFailure(packet.type)) {
        sendException(static_cast<Exception>(*failure), packet.sendId, 0);
        return;
    }
    try {
        dispatchPacket(packet);
    } catch (const std::out_of_range&) {
        sendException(Exception::SizeMismatch, packet.sendId, 0);
    }
}

void Session::dispatchPacket(const Packet& packet) {
    using wire::PacketType;
    switch (static_cast<PacketType>(packet.type)) {
        case PacketType::SubscribeToSystemEvent: return onSubscribe(packet);
        case PacketType::AddToDataDefinition: return onAddToDataDefinition(packet);
        case PacketType::MapClientEventToSimEvent: return onMapClientEvent(packet);
        case PacketType::AddClientEventToNotificationGroup: return onAddToGroup(packet);
        case PacketType::SetNotificationGroupPriority: return onSetGroupPriority(packet);
        case PacketType::RequestDataOnSimObject: return onRequestData(packet);
        case PacketType::RequestDataOnSimObjectType: return onRequestDataByType(packet);
        case PacketType::SetDataOnSimObject: return onSetData(packet);
        case PacketType::TransmitClientEvent: return onTransmitEvent(packet);
        case PacketType::AICreateNonATCAircraft: return onCreate(packet, kCreateLayout);
        case PacketType::AICreateNonATCAircraftEx1: return onCreate(packet, kCreateEx1Layout);
        case PacketType::AIReleaseControl: return onReleaseControl(packet);
        case PacketType::AIRemoveObject: return onRemove(packet);
        case PacketType::AISetAircraftFlightPlan: return onSetFlightPlan(packet);
        case PacketType::Open: return;
    }
    sendException(Exception::UnrecognizedId, packet.sendId, 0);
}

void Session::onOpen(const Packet& packet) {
    const wire::Reader& in = packet.reader;
    const std::uint32_t version = in.u32(4);
    const std::array<std::uint32_t, 4> clientVersion{in.u32(280), in.u32(284), in.u32(288), in.u32(292)};
    const auto& accepted = simulator_.identity.acceptedProtocols;
    if (std::find(accepted.begin(), accepted.end(), version) == accepted.end()) {
        send(records::exception(version, static_cast<std::uint32_t>(Exception::VersionMismatch), packet.sendId, 0));
        return;
    }
    protocol_ = version;
    name_ = lf_text(in, 16, wire::kNameFieldSize);
    send(records::open(protocol_, simulator_.identity.applicationName, simulator_.identity.applicationVersion,
                       clientVersion));
}

void Session::onSubscribe(const Packet& packet) {
    static const std::string kSystemEvents[] = {"SIM", "FRAME", "OBJECTADDED", "OBJECTREMOVED", "FLIGHTLOADED"};
    const std::uint32_t eventId = packet.reader.u32(16);
    const std::string name = lf_upper(packet.reader.text(20, wire::kNameFieldSize));
    if (std::find(std::begin(kSystemEvents), std::end(kSystemEvents), name) == std::end(kSystemEvents)) {
        sendException(Exception::NameUnrecognized, packet.sendId, 2);
        return;
    }
    subscriptions_[name] = eventId;
    if (name == "SIM") {
        notifySystemEvent(name, simulator_.world.running ? 1 : 0);
    }
}

void Session::onAddToDataDefinition(const Packet& packet) {
    const wire::Reader& in = packet.reader;
    const std::uint32_t defineId = in.u32(16);
    const Variable* variable = findVariable(in.text(20, wire::kNameFieldSize));
    if (variable == nullptr) {
        sendException(Exception::NameUnrecognized, packet.sendId, 2);
        return;
    }
    const auto factor = unitFactor(*variable, in.text(276, wire::kNameFieldSize));
    if (!factor) {
        sendException(Exception::NameUnrecognized, packet.sendId, 3);
        return;
    }
    const auto type = static_cast<DataType>(in.u32(532));
    const bool text = variable->dimension == Dimension::Text;
    if ((text && !lf_isTextType(type)) || (!text && !lf_isNumberType(type))) {
        sendException(Exception::DataError, packet.sendId, 4);
        return;
    }
    definitions_[defineId].push_back({variable, *factor, type});
}

void Session::onMapClientEvent(const Packet& packet) {
    const std::uint32_t eventId = packet.reader.u32(16);
    const std::string name = knownEventName(packet.reader.text(20, wire::kNameFieldSize));
    if (name.empty()) {
        sendException(Exception::NameUnrecognized, packet.sendId, 2);
        return;
    }
    mappedEvents_[eventId] = name;
}

void Session::onAddToGroup(const Packet& packet) {
    const std::uint32_t groupId = packet.reader.u32(16);
    const std::uint32_t eventId = packet.reader.u32(20);
    if (!mappedEvents_.contains(eventId)) {
        sendException(Exception::UnrecognizedId, packet.sendId, 2);
        return;
    }
    groups_[groupId].push_back(eventId);
}

void Session::onSetGroupPriority(const Packet& packet) {
    const std::uint32_t groupId = packet.reader.u32(16);
    if (!groups_.contains(groupId)) {
        sendException(Exception::UnrecognizedId, packet.sendId, 1);
        return;
    }
    groupPriorities_[groupId] = packet.reader.u32(20);
}

void Session::onRequestData(const Packet& packet) {
    const wire::Reader& in = packet.reader;
    Request request;
    request.requestId = in.u32(16);
    request.defineId = in.u32(20);
    request.objectId = in.u32(24);
    request.period = static_cast<sc::Period>(in.u32(28));
    request.flags = in.u32(32);
    request.interval = in.u32(40);
    request.limit = in.u32(44);
    if (!definitions_.contains(request.defineId)) {
        sendException(Exception::UnrecognizedId, packet.sendId, 2);
        return;
    }
    if (simulator_.world.find(request.objectId) == nullptr) {
        sendException(Exception::UnrecognizedId, packet.sendId, 3);
        return;
    }
    if (request.period > sc::Period::Second) {
        sendException(Exception::DataError, packet.sendId, 4);
        return;
    }
    std::erase_if(requests_, [&](const Request& old) { return old.requestId == request.requestId; });
    if (request.period == sc::Period::Never) {
        return;
    }
    // The first reply goes at once; periodic requests then follow their period.
    if (serveRequest(request, true) && request.period != sc::Period::Once) {
        requests_.push_back(std::move(request));
    }
}

void Session::onRequestDataByType(const Packet& packet) {
    const wire::Reader& in = packet.reader;
    const std::uint32_t requestId = in.u32(16);
    const std::uint32_t defineId = in.u32(20);
    const double radiusMeters = in.u32(24);
    const auto type = static_cast<sc::SimObjectType>(in.u32(28));
    const auto definition = definitions_.find(defineId);
    if (definition == definitions_.end()) {
        sendException(Exception::UnrecognizedId, packet.sendId, 2);
        return;
    }
    if (type > sc::SimObjectType::Ground) {
        sendException(Exception::DataError, packet.sendId, 4);
        return;
    }
    std::vector<const SimObject*> found;
    if (type == sc::SimObjectType::User) {
        found.push_back(&simulator_.world.user());
    } else if (type == sc::SimObjectType::All || type == sc::SimObjectType::Aircraft) {
        found = simulator_.world.objectsWithin(radiusMeters);
    }
    for (std::size_t entry = 0; entry < found.size(); ++entry) {
        const records::DataHeader header{requestId,
                                         found[entry]->id,
                                         defineId,
                                         0,
                                         static_cast<std::uint32_t>(entry + 1),
                                         static_cast<std::uint32_t>(found.size()),
                                         static_cast<std::uint32_t>(definition->second.size())};
        send(records::simObjectData(protocol_, sc::RecvId::SimObjectDataByType, header,
                                    encodeData(definition->second, *found[entry])));
    }
}

void Session::onSetData(const Packet& packet) {
    const wire::Reader& in = packet.reader;
    const std::uint32_t defineId = in.u32(16);
    const std::uint32_t objectId = in.u32(20);
    const std::uint32_t arrayCount = std::max<std::uint32_t>(in.u32(28), 1);
    const std::uint32_t unitSize = in.u32(32);
    const auto definition = definitions_.find(defineId);
    if (definition == definitions_.end()) {
        sendException(Exception::UnrecognizedId, packet.sendId, 1);
        return;
    }
    SimObject* object = simulator_.world.find(objectId);
    if (object == nullptr) {
        sendException(Exception::UnrecognizedId, packet.sendId, 2);
        return;
    }
    std::size_t definitionSize = 0;
    for (const Datum& datum : definition->second) {
        definitionSize += wire::dataTypeSize(static_cast<std::uint32_t>(datum.type));
        if (datum.type == DataType::StringV) {
            sendException(Exception::DataError, packet.sendId, 1);
            return;
        }
    }
    const std::size_t dataSize = in.size() - wire::kSetDataHeaderSize;
    if (unitSize != definitionSize || dataSize != std::size_t{arrayCount} * unitSize) {
        sendException(Exception::InvalidDataSize, packet.sendId, 5);
        return;
    }
    // Every element goes to the one object: the last one stays.
    bool movesPosition = false;
    for (std::size_t offset = wire::kSetDataHeaderSize; offset < in.size();) {
        for (const Datum& datum : definition->second) {
            double value = 0.0;
            switch (datum.type) {
                case DataType::Int32: value = in.i32(offset); break;
                case DataType::Int64: value = static_cast<double>(in.i64(offset)); break;
                case DataType::Float32: value = in.f32(offset); break;
                case DataType::Float64: value = in.f64(offset); break;
                default: break;
            }
            offset += wire::dataTypeSize(static_cast<std::uint32_t>(datum.type));
            if (datum.variable->write != nullptr && std::isfinite(value)) {
                datum.variable->write(*object, value / datum.factor);
                movesPosition = movesPosition || datum.variable->name == "PLANE LATITUDE";
            }
        }
    }
    if (movesPosition) {
        ++object->positionWrites;
    }
}

void Session::onTransmitEvent(const Packet& packet) {
    const wire::Reader& in = packet.reader;
    SimObject* object = simulator_.world.find(in.u32(16));
    if (object == nullptr) {
        sendException(Exception::UnrecognizedId, packet.sendId, 1);
        return;
    }
    const auto mapped = mappedEvents_.find(in.u32(20));
    if (mapped == mappedEvents_.end()) {
        sendException(Exception::UnrecognizedId, packet.sendId, 2);
        return;
    }
    applyEvent(*object, mapped->second, in.u32(24));
}

void Session::onCreate(const Packet& packet, const CreateLayout& layout) {
    const wire::Reader& in = packet.reader;
    World& world = simulator_.world;
    SimObject object;
    object.title = lf_text(in, 16, wire::kNameFieldSize);
    if (layout.liveryOffset != 0) {
        object.livery = lf_text(in, layout.liveryOffset, wire::kNameFieldSize);
    }
    object.atcId = lf_text(in, layout.tailNumberOffset, wire::kTailNumberFieldSize);
    const std::size_t position = layout.positionOffset;
    object.latitudeDeg = in.f64(position);
    object.longitudeDeg = in.f64(position + 8);
    object.altitudeFt = in.f64(position + 16);
    object.pitchRad = in.f64(position + 24) * kRadPerDeg;
    object.bankRad = in.f64(position + 32) * kRadPerDeg;
    object.headingRad = in.f64(position + 40) * kRadPerDeg;
    const bool onGround = in.u32(position + 48) != 0;
    const std::uint32_t airspeedKt = in.u32(position + 52);
    const std::uint32_t requestId = in.u32(layout.requestIdOffset);
    if (!world.canCreate(object.title)) {
        sendException(Exception::CreateObjectFailed, packet.sendId, 1);
        return;
    }
    if (world.aiObjectCount() >= world.maxAiObjects) {
        sendException(Exception::TooManyObjects, packet.sendId, 0);
        return;
    }
    if (onGround) {
        object.altitudeFt = world.groundElevationFt + object.staticCgToGroundFt;
    }
    object.airspeedKt = airspeedKt > kMaxAirspeedKt ? kCruiseSpeedKt : airspeedKt;
    object.id = world.nextObjectId();
    object.ownerSession = id_;
    simulator_.queueCreate(std::move(object), id_, requestId);
}

SimObject* Session::ownAiObject(const Packet& packet, std::uint32_t objectId, std::uint32_t index) {
    SimObject* object = simulator_.world.find(objectId);
    if (object == nullptr) {
        sendException(Exception::UnrecognizedId, packet.sendId, index);
        return nullptr;
    }
    if (object->isUser || object->ownerSession != id_) {
        sendException(Exception::OperationInvalidForObjectType, packet.sendId, index);
        return nullptr;
    }
    return object;
}

void Session::onReleaseControl(const Packet& packet) {
    if (SimObject* object = ownAiObject(packet, packet.reader.u32(16), 1)) {
        object->released = true;
    }
}

void Session::onRemove(const Packet& packet) {
    const std::uint32_t objectId = packet.reader.u32(16);
    if (ownAiObject(packet, objectId, 1) != nullptr) {
        simulator_.queueRemoval(objectId);
    }
}

void Session::onSetFlightPlan(const Packet& packet) {
    SimObject* object = ownAiObject(packet, packet.reader.u32(16), 1);
    if (object == nullptr) {
        return;
    }
    // The path may be given with or without its ".pln". The file is opened
    // by the path's bytes as they came; what the state shows is UTF-8.
    const std::string path = packet.reader.text(20, wire::kPathFieldSize);
    std::string foundPath = path;
    std::optional<std::string> text = readFlightPlanFile(foundPath);
    if (!text) {
        foundPath = path + ".pln";
        text = readFlightPlanFile(foundPath);
    }
    if (!text) {
        sendException(Exception::LoadFlightplanFailed, packet.sendId, 2);
        return;
    }
    object->flightPlanPath = clientTextToUtf8(foundPath);
    object->flightPlan = clientTextToUtf8(*text);
}

std::vector<std::byte> Session::encodeData(const Definition& definition, const SimObject& object) const {
    wire::Writer writer;
    for (const Datum& datum : definition) {
        if (datum.variable->dimension == Dimension::Text) {
            const std::string text = datum.variable->readText(object);
            if (datum.type == DataType::StringV) {
                writer.bytes(std::as_bytes(std::span{text})).bytes(std::array{std::byte{0}});
            } else {
                writer.text(text, wire::dataTypeSize(static_cast<std::uint32_t>(datum.type)));
            }
            continue;
        }
        const double value = datum.variable->read(simulator_.world, object) * datum.factor;
        switch (datum.type) {
            case DataType::Int32: writer.i32(lf_clampedInteger<std::int32_t>(value)); break;
            case DataType::Int64: writer.i64(lf_clampedInteger<std::int64_t>(value)); break;
            case DataType::Float32: writer.f32(static_cast<float>(value)); break;
            default: writer.f64(value); break;
        }
    }
    return writer.take();
}

bool Session::serveRequest(Request& request, bool force) {
    const SimObject* object = simulator_.world.find(request.objectId);
    if (object == nullptr) {
        return false;
    }
    const Definition& definition = definitions_.at(request.defineId);
    std::vector<std::byte> data = encodeData(definition, *object);
    const bool changedOnly = (request.flags & sc::kDataRequestFlagChanged) != 0;
    if (!force && changedOnly && data == request.lastData) {
        return true;
    }
    const records::DataHeader header{request.requestId, object->id, request.defineId, request.flags, 1, 1,
                                     static_cast<std::uint32_t>(definition.size())};
    send(records::simObjectData(protocol_, sc::RecvId::SimObjectData, header, data));
    request.lastData = std::move(data);
    ++request.sentCount;
    return request.limit == 0 || request.sentCount < request.limit;
}

void Session::onFrame(bool secondPassed) {
    if (const auto frame = subscriptions_.find("FRAME"); frame != subscriptions_.end()) {
        send(records::frame(protocol_, frame->second, static_cast<float>(simulator_.world.frameRate), 1.0F));
    }
    std::erase_if(requests_, [&](Request& request) {
        const bool due = request.period == sc::Period::VisualFrame || request.period == sc::Period::SimFrame ||
                         (request.period == sc::Period::Second && secondPassed);
        if (!due || ++request.periodsSinceSent <= request.interval) {
            return false;
        }
        request.periodsSinceSent = 0;
        return !serveRequest(request, false);
    });
}

void Session::notifySystemEvent(const std::string& systemEvent, std::uint32_t data) {
    if (const auto found = subscriptions_.find(systemEvent); found != subscriptions_.end()) {
        send(records::event(protocol_, found->second, data));
    }
}

void Session::notifyObjectAddedOrRemoved(const std::string& systemEvent, std::uint32_t objectId) {
    if (const auto found = subscriptions_.find(systemEvent); found != subscriptions_.end()) {
        send(records::objectAddRemove(protocol_, found->second, objectId, sc::SimObjectType::Aircraft));
    }
}

void Session::notifyFilename(const std::string& path) {
    if (const auto found = subscriptions_.find("FLIGHTLOADED"); found != subscriptions_.end()) {
        send(records::filename(protocol_, found->second, path));
    }
}

void Session::sendAssignedObjectId(std::uint32_t requestId, std::uint32_t objectId) {
    send(records::assignedObjectId(protocol_, requestId, objectId));
}

void Session::sendException(Exception exception, std::uint32_t sendId, std::uint32_t index) {
    send(records::exception(protocol_, static_cast<std::uint32_t>(exception), sendId, index));
}

void Session::sendQuit() { send(records::quit(protocol_)); }

}  // namespace sim
