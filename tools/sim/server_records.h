#pragma once
// The records the stand-in sends to its clients, laid out as SimConnect's
// TCP protocol has them (12-byte header: size, version, record id).

#include "platform/simconnect/simconnect.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace sim::records {

using Bytes = std::vector<std::byte>;
namespace sc = platform::simconnect;

Bytes exception(std::uint32_t version, std::uint32_t exception, std::uint32_t sendId, std::uint32_t index);
Bytes open(std::uint32_t version, std::string_view applicationName,
           const std::array<std::uint32_t, 4>& applicationVersion,
           const std::array<std::uint32_t, 4>& simConnectVersion);
Bytes quit(std::uint32_t version);
Bytes event(std::uint32_t version, std::uint32_t eventId, std::uint32_t data);
Bytes objectAddRemove(std::uint32_t version, std::uint32_t eventId, std::uint32_t objectId, sc::SimObjectType type);
Bytes filename(std::uint32_t version, std::uint32_t eventId, std::string_view fileName);
Bytes frame(std::uint32_t version, std::uint32_t eventId, float frameRate, float simulationSpeed);

struct DataHeader {
    std::uint32_t requestId = 0;
    std::uint32_t objectId = 0;
    std::uint32_t defineId = 0;
    std::uint32_t flags = 0;
    std::uint32_t entryNumber = 1;
    std::uint32_t outOf = 1;
    std::uint32_t defineCount = 0;
};
Bytes simObjectData(std::uint32_t version, sc::RecvId id, const DataHeader& header, std::span<const std::byte> data);
Bytes assignedObjectId(std::uint32_t version, std::uint32_t requestId, std::uint32_t objectId);

}  // namespace sim::records
