#include "server_records.h"

#include "platform/simconnect/wire.h"

namespace sim::records {

namespace {

using platform::simconnect::wire::Writer;
namespace wire = platform::simconnect::wire;

Writer lf_header(std::uint32_t version, sc::RecvId id) {
    Writer writer;
    writer.u32(0).u32(version).u32(static_cast<std::uint32_t>(id));
    return writer;
}

Bytes lf_finish(Writer& writer) {
    writer.patchU32(0, static_cast<std::uint32_t>(writer.size()));
    return writer.take();
}

// The fields every event record starts with; system events have no group.
Writer lf_event(std::uint32_t version, sc::RecvId id, std::uint32_t eventId, std::uint32_t data) {
    Writer writer = lf_header(version, id);
    writer.u32(sc::kUnused).u32(eventId).u32(data);
    return writer;
}

}  // namespace

Bytes exception(std::uint32_t version, std::uint32_t exception, std::uint32_t sendId, std::uint32_t index) {
    Writer writer = lf_header(version, sc::RecvId::Exception);
    writer.u32(exception).u32(sendId).u32(index);
    return lf_finish(writer);
}

Bytes open(std::uint32_t version, std::string_view applicationName,
           const std::array<std::uint32_t, 4>& applicationVersion,
           const std::array<std::uint32_t, 4>& simConnectVersion) {
    Writer writer = lf_header(version, sc::RecvId::Open);
    writer.text(applicationName, wire::kNameFieldSize);
    for (const std::uint32_t number : applicationVersion) {
        writer.u32(number);
    }
    for (const std::uint32_t number : simConnectVersion) {
        writer.u32(number);
    }
    writer.u32(0).u32(0);
    return lf_finish(writer);
}

Bytes quit(std::uint32_t version) {
    Writer writer = lf_header(version, sc::RecvId::Quit);
    return lf_finish(writer);
}

Bytes event(std::uint32_t version, std::uint32_t eventId, std::uint32_t data) {
    Writer writer = lf_event(version, sc::RecvId::Event, eventId, data);
    return lf_finish(writer);
}

Bytes objectAddRemove(std::uint32_t version, std::uint32_t eventId, std::uint32_t objectId, sc::SimObjectType type) {
    Writer writer = lf_event(version, sc::RecvId::EventObjectAddRemove, eventId, objectId);
    writer.u32(static_cast<std::uint32_t>(type));
    return lf_finish(writer);
}

Bytes filename(std::uint32_t version, std::uint32_t eventId, std::string_view fileName) {
    Writer writer = lf_event(version, sc::RecvId::EventFilename, eventId, 0);
    writer.text(fileName, wire::kPathFieldSize).u32(0);
    return lf_finish(writer);
}

Bytes frame(std::uint32_t version, std::uint32_t eventId, float frameRate, float simulationSpeed) {
    Writer writer = lf_event(version, sc::RecvId::EventFrame, eventId, 0);
    writer.f32(frameRate).f32(simulationSpeed);
    return lf_finish(writer);
}

Bytes simObjectData(std::uint32_t version, sc::RecvId id, const DataHeader& header, std::span<const std::byte> data) {
    Writer writer = lf_header(version, id);
    writer.u32(header.requestId)
        .u32(header.objectId)
        .u32(header.defineId)
        .u32(header.flags)
        .u32(header.entryNumber)
        .u32(header.outOf)
        .u32(header.defineCount)
        .bytes(data);
    return lf_finish(writer);
}

Bytes assignedObjectId(std::uint32_t version, std::uint32_t requestId, std::uint32_t objectId) {
    Writer writer = lf_header(version, sc::RecvId::AssignedObjectId);
    writer.u32(requestId).u32(objectId);
    return lf_finish(writer);
}

}  // namespace sim::records
