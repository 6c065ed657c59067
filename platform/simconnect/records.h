#pragma once
// Decoding of the records a SimConnect server sends into the record types of
// simconnect.h. A record too short for its id, or a data block that does not
// hold every datum of its definition, is skipped (no value); a record of an
// unknown id is kept as its bare header.

#include "platform/simconnect/simconnect.h"

#include <optional>
#include <span>
#include <unordered_map>
#include <variant>
#include <vector>

namespace platform::simconnect::records {

// Data definition id -> the data type of each datum, in order.
using Definitions = std::unordered_map<std::uint32_t, std::vector<DataType>>;

using Decoded = std::variant<Recv, RecvException, RecvOpen, RecvQuit, RecvEvent, RecvEventObjectAddRemove,
                             RecvEventFilename, RecvEventFrame, RecvSimObjectData, RecvSimObjectDataByType,
                             RecvAssignedObjectId>;

// The data of SIMOBJECT_DATA records points into `message`, which must
// outlive the decoded record.
std::optional<Decoded> decode(std::span<const std::byte> message, const Definitions& definitions);

const Recv* asRecv(const Decoded& record);

// True when the untagged block holds every datum of the definition.
bool dataFitsDefinition(std::span<const std::byte> data, const std::vector<DataType>& datumTypes);

}  // namespace platform::simconnect::records
