#pragma once
// The client's packets, laid out as SimConnect's TCP protocol has them. Each
// encoder gives the payload (from offset 16); framed() puts the header
// (size, protocol version, 0xF0000000 | type, send id) in front.

#include "platform/simconnect/simconnect.h"
#include "platform/simconnect/wire.h"

#include <string_view>
#include <vector>

namespace platform::simconnect::packets {

struct Packet {
    wire::PacketType type;
    std::vector<std::byte> payload;
};

std::vector<std::byte> framed(const Packet& packet, std::uint32_t protocolVersion, std::uint32_t sendId);

Packet open(const wire::OpenVersion& version, std::string_view applicationName);
Packet subscribeToSystemEvent(std::uint32_t eventId, std::string_view systemEventName);
Packet addToDataDefinition(std::uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                           DataType datumType, float epsilon, std::uint32_t datumId);
Packet mapClientEventToSimEvent(std::uint32_t eventId, std::string_view eventName);
Packet addClientEventToNotificationGroup(std::uint32_t groupId, std::uint32_t eventId, bool maskable);
Packet setNotificationGroupPriority(std::uint32_t groupId, std::uint32_t priority);
Packet requestDataOnSimObject(std::uint32_t requestId, std::uint32_t defineId, std::uint32_t objectId,
                              Period period, std::uint32_t flags, std::uint32_t origin, std::uint32_t interval,
                              std::uint32_t limit);
Packet requestDataOnSimObjectType(std::uint32_t requestId, std::uint32_t defineId, std::uint32_t radiusMeters,
                                  SimObjectType type);
Packet setDataOnSimObject(std::uint32_t defineId, std::uint32_t objectId, std::uint32_t flags,
                          std::uint32_t arrayCount, std::uint32_t unitSize, std::span<const std::byte> data);
Packet transmitClientEvent(std::uint32_t objectId, std::uint32_t eventId, std::uint32_t data,
                           std::uint32_t groupId, std::uint32_t flags);
Packet aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                              const InitPosition& initPosition, std::uint32_t requestId);
Packet aiReleaseControl(std::uint32_t objectId, std::uint32_t requestId);
Packet aiRemoveObject(std::uint32_t objectId, std::uint32_t requestId);
Packet aiSetAircraftFlightPlan(std::uint32_t objectId, std::string_view flightPlanPath, std::uint32_t requestId);

}  // namespace platform::simconnect::packets
