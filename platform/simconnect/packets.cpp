#include "platform/simconnect/packets.h"

namespace platform::simconnect::packets {

using wire::PacketType;
using wire::Writer;

namespace {

Packet lf_packet(PacketType type, Writer& writer) { return {type, writer.take()}; }

// Two ids, as several calls send (object and request, group and priority).
Packet lf_twoIds(PacketType type, std::uint32_t first, std::uint32_t second) {
    Writer writer;
    writer.u32(first).u32(second);
    return lf_packet(type, writer);
}

// An id and a name field, as the subscription and the event mapping send.
Packet lf_idAndName(PacketType type, std::uint32_t id, std::string_view name) {
    Writer writer;
    writer.u32(id).text(name, wire::kNameFieldSize);
    return lf_packet(type, writer);
}

}  // namespace

std::vector<std::byte> framed(const Packet& packet, std::uint32_t protocolVersion, std::uint32_t sendId) {
    Writer writer;
    writer.u32(static_cast<std::uint32_t>(wire::kClientHeaderSize + packet.payload.size()))
        .u32(protocolVersion)
        .u32(wire::kPacketTypeMark | static_cast<std::uint32_t>(packet.type))
        .u32(sendId)
        .bytes(packet.payload);
    return writer.take();
}

Packet open(const wire::OpenVersion& version, std::string_view applicationName) {
    Writer writer;
    writer.text(applicationName, wire::kNameFieldSize).u32(0);
    for (const std::uint8_t tagByte : version.tag) {
        writer.bytes(std::array{std::byte{tagByte}});
    }
    for (const std::uint32_t number : version.version) {
        writer.u32(number);
    }
    return lf_packet(PacketType::Open, writer);
}

Packet subscribeToSystemEvent(std::uint32_t eventId, std::string_view systemEventName) {
    return lf_idAndName(PacketType::SubscribeToSystemEvent, eventId, systemEventName);
}

Packet addToDataDefinition(std::uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                           DataType datumType, float epsilon, std::uint32_t datumId) {
    Writer writer;
    writer.u32(defineId)
        .text(datumName, wire::kNameFieldSize)
        .text(unitsName, wire::kNameFieldSize)
        .u32(static_cast<std::uint32_t>(datumType))
        .f32(epsilon)
        .u32(datumId);
    return lf_packet(PacketType::AddToDataDefinition, writer);
}

Packet mapClientEventToSimEvent(std::uint32_t eventId, std::string_view eventName) {
    return lf_idAndName(PacketType::MapClientEventToSimEvent, eventId, eventName);
}

Packet addClientEventToNotificationGroup(std::uint32_t groupId, std::uint32_t eventId, bool maskable) {
    Writer writer;
    writer.u32(groupId).u32(eventId).u32(maskable ? 1 : 0);
    return lf_packet(PacketType::AddClientEventToNotificationGroup, writer);
}

Packet setNotificationGroupPriority(std::uint32_t groupId, std::uint32_t priority) {
    return lf_twoIds(PacketType::SetNotificationGroupPriority, groupId, priority);
}

Packet requestDataOnSimObject(std::uint32_t requestId, std::uint32_t defineId, std::uint32_t objectId,
                              Period period, std::uint32_t flags, std::uint32_t origin, std::uint32_t interval,
                              std::uint32_t limit) {
    Writer writer;
    writer.u32(requestId)
        .u32(defineId)
        .u32(objectId)
        .u32(static_cast<std::uint32_t>(period))
        .u32(flags)
        .u32(origin)
        .u32(interval)
        .u32(limit);
    return lf_packet(PacketType::RequestDataOnSimObject, writer);
}

Packet requestDataOnSimObjectType(std::uint32_t requestId, std::uint32_t defineId, std::uint32_t radiusMeters,
                                  SimObjectType type) {
    Writer writer;
    writer.u32(requestId).u32(defineId).u32(radiusMeters).u32(static_cast<std::uint32_t>(type));
    return lf_packet(PacketType::RequestDataOnSimObjectType, writer);
}

Packet setDataOnSimObject(std::uint32_t defineId, std::uint32_t objectId, std::uint32_t flags,
                          std::uint32_t arrayCount, std::uint32_t unitSize, std::span<const std::byte> data) {
    Writer writer;
    writer.u32(defineId).u32(objectId).u32(flags).u32(arrayCount).u32(unitSize).bytes(data);
    return lf_packet(PacketType::SetDataOnSimObject, writer);
}

Packet transmitClientEvent(std::uint32_t objectId, std::uint32_t eventId, std::uint32_t data,
                           std::uint32_t groupId, std::uint32_t flags) {
    Writer writer;
    writer.u32(objectId).u32(eventId).u32(data).u32(groupId).u32(flags);
    return lf_packet(PacketType::TransmitClientEvent, writer);
}

Packet aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                              const InitPosition& initPosition, std::uint32_t requestId) {
    Writer writer;
    writer.text(containerTitle, wire::kNameFieldSize)
        .text(tailNumber, wire::kTailNumberFieldSize)
        .f64(initPosition.latitudeDeg)
        .f64(initPosition.longitudeDeg)
        .f64(initPosition.altitudeFt)
        .f64(initPosition.pitchDeg)
        .f64(initPosition.bankDeg)
        .f64(initPosition.headingDeg)
        .u32(initPosition.onGround)
        .u32(initPosition.airspeedKt)
        .u32(requestId);
    return lf_packet(PacketType::AICreateNonATCAircraft, writer);
}

Packet aiReleaseControl(std::uint32_t objectId, std::uint32_t requestId) {
    return lf_twoIds(PacketType::AIReleaseControl, objectId, requestId);
}

Packet aiRemoveObject(std::uint32_t objectId, std::uint32_t requestId) {
    return lf_twoIds(PacketType::AIRemoveObject, objectId, requestId);
}

Packet aiSetAircraftFlightPlan(std::uint32_t objectId, std::string_view flightPlanPath, std::uint32_t requestId) {
    Writer writer;
    writer.u32(objectId).text(flightPlanPath, wire::kPathFieldSize).u32(requestId);
    return lf_packet(PacketType::AISetAircraftFlightPlan, writer);
}

}  // namespace platform::simconnect::packets
