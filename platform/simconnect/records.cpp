#include "platform/simconnect/records.h"

#include "platform/simconnect/wire.h"

#include <algorithm>

namespace platform::simconnect::records {

namespace {

using wire::Reader;

void lf_readHeader(const Reader& reader, Recv& record) {
    record.size = reader.u32(0);
    record.version = reader.u32(4);
    record.id = static_cast<RecvId>(reader.u32(8));
}

template <typename EventRecord>
EventRecord lf_readEvent(const Reader& reader) {
    EventRecord record;
    lf_readHeader(reader, record);
    record.groupId = reader.u32(12);
    record.eventId = reader.u32(16);
    record.data = reader.u32(20);
    return record;
}

template <typename DataRecord>
std::optional<Decoded> lf_readData(const Reader& reader, std::span<const std::byte> message,
                                   const Definitions& definitions) {
    DataRecord record;
    lf_readHeader(reader, record);
    record.requestId = reader.u32(12);
    record.objectId = reader.u32(16);
    record.defineId = reader.u32(20);
    record.flags = reader.u32(24);
    record.entryNumber = reader.u32(28);
    record.outOf = reader.u32(32);
    record.defineCount = reader.u32(36);
    record.data = message.subspan(wire::kSimObjectDataHeaderSize);
    if ((record.flags & kDataRequestFlagTagged) == 0) {
        const auto definition = definitions.find(record.defineId);
        if (definition == definitions.end() || !dataFitsDefinition(record.data, definition->second)) {
            return std::nullopt;
        }
    }
    return record;
}

std::size_t lf_minimumSize(RecvId id) {
    switch (id) {
        case RecvId::Exception: return wire::kExceptionSize;
        case RecvId::Open: return wire::kOpenRecordSize;
        case RecvId::Event: return wire::kEventSize;
        case RecvId::EventObjectAddRemove: return wire::kEventObjectAddRemoveSize;
        case RecvId::EventFilename: return wire::kEventFilenameSize;
        case RecvId::EventFrame: return wire::kEventFrameSize;
        case RecvId::SimObjectData:
        case RecvId::SimObjectDataByType: return wire::kSimObjectDataHeaderSize;
        case RecvId::AssignedObjectId: return wire::kAssignedObjectIdSize;
        default: return wire::kServerHeaderSize;
    }
}

std::array<std::uint32_t, 4> lf_readVersion(const Reader& reader, std::size_t offset) {
    return {reader.u32(offset), reader.u32(offset + 4), reader.u32(offset + 8), reader.u32(offset + 12)};
}

}  // namespace

bool dataFitsDefinition(std::span<const std::byte> data, const std::vector<DataType>& datumTypes) {
    std::size_t offset = 0;
    for (const DataType type : datumTypes) {
        if (type == DataType::StringV) {
            const auto rest = data.subspan(std::min(offset, data.size()));
            const auto end = std::find(rest.begin(), rest.end(), std::byte{0});
            if (end == rest.end()) {
                return false;
            }
            offset += static_cast<std::size_t>(end - rest.begin()) + 1;
            continue;
        }
        const std::size_t size = wire::dataTypeSize(static_cast<std::uint32_t>(type));
        if (size == 0) {
            return false;
        }
        offset += size;
        if (offset > data.size()) {
            return false;
        }
    }
    return true;
}

std::optional<Decoded> decode(std::span<const std::byte> message, const Definitions& definitions) {
    const Reader reader{message};
    if (message.size() < wire::kServerHeaderSize) {
        return std::nullopt;
    }
    const auto id = static_cast<RecvId>(reader.u32(8));
    if (message.size() < lf_minimumSize(id)) {
        return std::nullopt;
    }
    switch (id) {
        case RecvId::Exception: {
            RecvException record;
            lf_readHeader(reader, record);
            record.exception = static_cast<Exception>(reader.u32(12));
            record.sendId = reader.u32(16);
            record.index = reader.u32(20);
            return record;
        }
        case RecvId::Open: {
            RecvOpen record;
            lf_readHeader(reader, record);
            record.applicationName = reader.text(12, wire::kNameFieldSize);
            record.applicationVersion = lf_readVersion(reader, 268);
            record.simConnectVersion = lf_readVersion(reader, 284);
            return record;
        }
        case RecvId::Quit: {
            RecvQuit record;
            lf_readHeader(reader, record);
            return record;
        }
        case RecvId::Event: return lf_readEvent<RecvEvent>(reader);
        case RecvId::EventObjectAddRemove: {
            auto record = lf_readEvent<RecvEventObjectAddRemove>(reader);
            record.objectType = static_cast<SimObjectType>(reader.u32(24));
            return record;
        }
        case RecvId::EventFilename: {
            auto record = lf_readEvent<RecvEventFilename>(reader);
            record.fileName = reader.text(24, wire::kPathFieldSize);
            record.flags = reader.u32(284);
            return record;
        }
        case RecvId::EventFrame: {
            auto record = lf_readEvent<RecvEventFrame>(reader);
            record.frameRate = reader.f32(24);
            record.simulationSpeed = reader.f32(28);
            return record;
        }
        case RecvId::SimObjectData: return lf_readData<RecvSimObjectData>(reader, message, definitions);
        case RecvId::SimObjectDataByType: return lf_readData<RecvSimObjectDataByType>(reader, message, definitions);
        case RecvId::AssignedObjectId: {
            RecvAssignedObjectId record;
            lf_readHeader(reader, record);
            record.requestId = reader.u32(12);
            record.objectId = reader.u32(16);
            return record;
        }
        default: {
            Recv record;
            lf_readHeader(reader, record);
            return record;
        }
    }
}

const Recv* asRecv(const Decoded& record) {
    return std::visit([](const auto& alternative) -> const Recv* { return &alternative; }, record);
}

}  // namespace platform::simconnect::records
