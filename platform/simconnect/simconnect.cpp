// The SimConnect calls: each finds the connection of its handle and sends
// one packet. Handles are numbers from a registry, never addresses, so a
// closed or unknown handle fails cleanly instead of touching freed memory.

#include "platform/simconnect/simconnect.h"

#include "platform/simconnect/client.h"
#include "platform/simconnect/config_file.h"
#include "platform/simconnect/packets.h"
#include "platform/simconnect/wire.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <unordered_map>

namespace platform::simconnect {

namespace {

// Open connections by handle number; its mutex guards the map and the next
// number and is taken alone.
struct Registry {
    // Its place in the lock order: docs/locks.md.
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Client>> clients;
    std::uintptr_t nextHandle = 1;
};

Registry& lf_registry() {
    static Registry registry;
    return registry;
}

std::atomic<TargetSimulator> lf_targetSimulator{TargetSimulator::Msfs2024};

std::shared_ptr<Client> lf_find(Handle handle) {
    Registry& registry = lf_registry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.clients.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == registry.clients.end() ? nullptr : found->second;
}

Result lf_send(Handle handle, const packets::Packet& packet) {
    const std::shared_ptr<Client> client = lf_find(handle);
    return client ? client->send(packet) : kFail;
}

std::string_view lf_text(const char* text) { return text == nullptr ? std::string_view{} : text; }

}  // namespace

void selectTargetSimulator(TargetSimulator simulator) { lf_targetSimulator.store(simulator); }

Result SimConnect_Open(Handle* handle, const char* name, void* /*window*/, std::uint32_t /*userEventWin32*/,
                       void* /*eventHandle*/, std::uint32_t configIndex) {
    if (handle == nullptr) {
        return kInvalidArg;
    }
    *handle = nullptr;
    std::shared_ptr<Client> client =
        Client::open(findServerAddress(configIndex), lf_text(name), lf_targetSimulator.load());
    if (!client) {
        return kFail;
    }
    Registry& registry = lf_registry();
    const std::lock_guard lock(registry.mutex);
    const std::uintptr_t number = registry.nextHandle++;
    registry.clients.emplace(number, std::move(client));
    *handle = reinterpret_cast<Handle>(number);
    return kOk;
}

Result SimConnect_Close(Handle handle) {
    std::shared_ptr<Client> client;
    {
        Registry& registry = lf_registry();
        const std::lock_guard lock(registry.mutex);
        const auto found = registry.clients.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == registry.clients.end()) {
            return kFail;
        }
        client = std::move(found->second);
        registry.clients.erase(found);
    }
    client->close();
    return kOk;
}

Result SimConnect_CallDispatch(Handle handle, DispatchProc dispatch, void* context) {
    if (dispatch == nullptr) {
        return kInvalidArg;
    }
    const std::shared_ptr<Client> client = lf_find(handle);
    return client ? client->dispatch(dispatch, context) : kFail;
}

Result SimConnect_SubscribeToSystemEvent(Handle handle, std::uint32_t eventId, const char* systemEventName) {
    return lf_send(handle, packets::subscribeToSystemEvent(eventId, lf_text(systemEventName)));
}

Result SimConnect_AddToDataDefinition(Handle handle, std::uint32_t defineId, const char* datumName,
                                      const char* unitsName, DataType datumType, float epsilon,
                                      std::uint32_t datumId) {
    const std::shared_ptr<Client> client = lf_find(handle);
    if (!client) {
        return kFail;
    }
    return client->sendDatum(
        packets::addToDataDefinition(defineId, lf_text(datumName), lf_text(unitsName), datumType, epsilon, datumId),
        defineId, datumType);
}

Result SimConnect_MapClientEventToSimEvent(Handle handle, std::uint32_t eventId, const char* eventName) {
    return lf_send(handle, packets::mapClientEventToSimEvent(eventId, lf_text(eventName)));
}

Result SimConnect_AddClientEventToNotificationGroup(Handle handle, std::uint32_t groupId, std::uint32_t eventId,
                                                    bool maskable) {
    return lf_send(handle, packets::addClientEventToNotificationGroup(groupId, eventId, maskable));
}

Result SimConnect_SetNotificationGroupPriority(Handle handle, std::uint32_t groupId, std::uint32_t priority) {
    return lf_send(handle, packets::setNotificationGroupPriority(groupId, priority));
}

Result SimConnect_RequestDataOnSimObject(Handle handle, std::uint32_t requestId, std::uint32_t defineId,
                                         std::uint32_t objectId, Period period, std::uint32_t flags,
                                         std::uint32_t origin, std::uint32_t interval, std::uint32_t limit) {
    return lf_send(handle, packets::requestDataOnSimObject(requestId, defineId, objectId, period, flags, origin,
                                                           interval, limit));
}

Result SimConnect_RequestDataOnSimObjectType(Handle handle, std::uint32_t requestId, std::uint32_t defineId,
                                             std::uint32_t radiusMeters, SimObjectType type) {
    return lf_send(handle, packets::requestDataOnSimObjectType(requestId, defineId, radiusMeters, type));
}

Result SimConnect_SetDataOnSimObject(Handle handle, std::uint32_t defineId, std::uint32_t objectId,
                                     std::uint32_t flags, std::uint32_t arrayCount, std::uint32_t unitSize,
                                     const void* data) {
    const std::uint32_t elements = std::max<std::uint32_t>(arrayCount, 1);
    const std::uint64_t dataSize = std::uint64_t{elements} * unitSize;
    if ((data == nullptr && dataSize > 0) || dataSize > wire::kMaxMessageSize) {
        return kInvalidArg;
    }
    const std::span bytes{static_cast<const std::byte*>(data), static_cast<std::size_t>(dataSize)};
    return lf_send(handle, packets::setDataOnSimObject(defineId, objectId, flags, elements, unitSize, bytes));
}

Result SimConnect_TransmitClientEvent(Handle handle, std::uint32_t objectId, std::uint32_t eventId,
                                      std::uint32_t data, std::uint32_t groupId, std::uint32_t flags) {
    return lf_send(handle, packets::transmitClientEvent(objectId, eventId, data, groupId, flags));
}

Result SimConnect_AICreateNonATCAircraft(Handle handle, const char* containerTitle, const char* tailNumber,
                                         const InitPosition& initPosition, std::uint32_t requestId) {
    return lf_send(handle, packets::aiCreateNonAtcAircraft(lf_text(containerTitle), lf_text(tailNumber),
                                                           initPosition, requestId));
}

Result SimConnect_GetLastSentPacketID(Handle handle, std::uint32_t* sendId) {
    if (sendId == nullptr) {
        return kInvalidArg;
    }
    const std::shared_ptr<Client> client = lf_find(handle);
    if (!client) {
        return kFail;
    }
    *sendId = client->lastSentId();
    return kOk;
}

Result SimConnect_AIReleaseControl(Handle handle, std::uint32_t objectId, std::uint32_t requestId) {
    return lf_send(handle, packets::aiReleaseControl(objectId, requestId));
}

Result SimConnect_AIRemoveObject(Handle handle, std::uint32_t objectId, std::uint32_t requestId) {
    return lf_send(handle, packets::aiRemoveObject(objectId, requestId));
}

Result SimConnect_AISetAircraftFlightPlan(Handle handle, std::uint32_t objectId, const char* flightPlanPath,
                                          std::uint32_t requestId) {
    static_assert(kPathFieldBytes == wire::kPathFieldSize);
    const std::string_view path = lf_text(flightPlanPath);
    if (path.size() >= kPathFieldBytes) {
        return kInvalidArg;
    }
    return lf_send(handle, packets::aiSetAircraftFlightPlan(objectId, path, requestId));
}

std::span<const std::byte> DatumReader::take(std::size_t count) {
    if (count > data_.size()) {
        throw std::out_of_range("read past the end of a SimConnect data block");
    }
    const auto taken = data_.first(count);
    data_ = data_.subspan(count);
    return taken;
}

double DatumReader::float64() {
    double value = 0.0;
    std::memcpy(&value, take(sizeof value).data(), sizeof value);
    return value;
}

std::int64_t DatumReader::int64() {
    std::int64_t value = 0;
    std::memcpy(&value, take(sizeof value).data(), sizeof value);
    return value;
}

std::string DatumReader::text(std::size_t fieldSize) {
    const auto field = take(fieldSize);
    const auto end = std::find(field.begin(), field.end(), std::byte{0});
    return {reinterpret_cast<const char*>(field.data()), static_cast<std::size_t>(end - field.begin())};
}

std::string DatumReader::stringV() {
    const auto end = std::find(data_.begin(), data_.end(), std::byte{0});
    if (end == data_.end()) {
        throw std::out_of_range("STRINGV without its end in a SimConnect data block");
    }
    const auto count = static_cast<std::size_t>(end - data_.begin());
    const auto field = take(count + 1);
    return {reinterpret_cast<const char*>(field.data()), count};
}

}  // namespace platform::simconnect
