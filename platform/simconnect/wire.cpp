#include "platform/simconnect/wire.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace platform::simconnect::wire {

static_assert(std::endian::native == std::endian::little, "the wire format is little-endian");

namespace {

struct NamedType {
    PacketType type;
    std::string_view name;
};

constexpr NamedType lf_packetNames[] = {
    {PacketType::Open, "Open"},
    {PacketType::MapClientEventToSimEvent, "MapClientEventToSimEvent"},
    {PacketType::TransmitClientEvent, "TransmitClientEvent"},
    {PacketType::AddClientEventToNotificationGroup, "AddClientEventToNotificationGroup"},
    {PacketType::SetNotificationGroupPriority, "SetNotificationGroupPriority"},
    {PacketType::AddToDataDefinition, "AddToDataDefinition"},
    {PacketType::RequestDataOnSimObject, "RequestDataOnSimObject"},
    {PacketType::RequestDataOnSimObjectType, "RequestDataOnSimObjectType"},
    {PacketType::SetDataOnSimObject, "SetDataOnSimObject"},
    {PacketType::SubscribeToSystemEvent, "SubscribeToSystemEvent"},
    {PacketType::AICreateNonATCAircraft, "AICreateNonATCAircraft"},
    {PacketType::AICreateNonATCAircraftEx1, "AICreateNonATCAircraft_EX1"},
    {PacketType::AIReleaseControl, "AIReleaseControl"},
    {PacketType::AIRemoveObject, "AIRemoveObject"},
    {PacketType::AISetAircraftFlightPlan, "AISetAircraftFlightPlan"},
};

template <typename T>
void lf_append(std::vector<std::byte>& bytes, T value) {
    const auto raw = std::bit_cast<std::array<std::byte, sizeof(T)>>(value);
    bytes.insert(bytes.end(), raw.begin(), raw.end());
}

template <typename T>
T lf_read(std::span<const std::byte> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) {
        throw std::out_of_range("read past the end of a SimConnect message");
    }
    std::array<std::byte, sizeof(T)> raw;
    std::memcpy(raw.data(), bytes.data() + offset, sizeof(T));
    return std::bit_cast<T>(raw);
}

}  // namespace

std::string_view packetTypeName(std::uint32_t typeId) {
    for (const NamedType& entry : lf_packetNames) {
        if (static_cast<std::uint32_t>(entry.type) == typeId) {
            return entry.name;
        }
    }
    return {};
}

std::optional<PacketType> packetTypeFromName(std::string_view name) {
    for (const NamedType& entry : lf_packetNames) {
        if (entry.name == name) {
            return entry.type;
        }
    }
    return std::nullopt;
}

std::size_t dataTypeSize(std::uint32_t dataType) {
    switch (dataType) {
        case 1: return 4;    // INT32
        case 2: return 8;    // INT64
        case 3: return 4;    // FLOAT32
        case 4: return 8;    // FLOAT64
        case 6: return 32;   // STRING32
        case 9: return 256;  // STRING256
        case 10: return 260; // STRING260
        case 12: return kInitPositionSize;
        default: return 0;   // STRINGV has no fixed size
    }
}

Writer& Writer::u32(std::uint32_t value) {
    lf_append(bytes_, value);
    return *this;
}

Writer& Writer::i32(std::int32_t value) {
    lf_append(bytes_, value);
    return *this;
}

Writer& Writer::i64(std::int64_t value) {
    lf_append(bytes_, value);
    return *this;
}

Writer& Writer::f32(float value) {
    lf_append(bytes_, value);
    return *this;
}

Writer& Writer::f64(double value) {
    lf_append(bytes_, value);
    return *this;
}

Writer& Writer::text(std::string_view value, std::size_t fieldSize) {
    const std::size_t kept = std::min(value.size(), fieldSize - 1);
    const auto* first = reinterpret_cast<const std::byte*>(value.data());
    bytes_.insert(bytes_.end(), first, first + kept);
    bytes_.insert(bytes_.end(), fieldSize - kept, std::byte{0});
    return *this;
}

Writer& Writer::bytes(std::span<const std::byte> value) {
    bytes_.insert(bytes_.end(), value.begin(), value.end());
    return *this;
}

void Writer::patchU32(std::size_t offset, std::uint32_t value) {
    const auto raw = std::bit_cast<std::array<std::byte, 4>>(value);
    std::copy(raw.begin(), raw.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::uint32_t Reader::u32(std::size_t offset) const { return lf_read<std::uint32_t>(bytes_, offset); }
std::int32_t Reader::i32(std::size_t offset) const { return lf_read<std::int32_t>(bytes_, offset); }
std::int64_t Reader::i64(std::size_t offset) const { return lf_read<std::int64_t>(bytes_, offset); }
float Reader::f32(std::size_t offset) const { return lf_read<float>(bytes_, offset); }
double Reader::f64(std::size_t offset) const { return lf_read<double>(bytes_, offset); }

std::span<const std::byte> Reader::bytes(std::size_t offset, std::size_t count) const {
    if (offset > bytes_.size() || bytes_.size() - offset < count) {
        throw std::out_of_range("read past the end of a SimConnect message");
    }
    return bytes_.subspan(offset, count);
}

std::string Reader::text(std::size_t offset, std::size_t fieldSize) const {
    const std::span<const std::byte> field = bytes(offset, fieldSize);
    const auto end = std::find(field.begin(), field.end(), std::byte{0});
    return {reinterpret_cast<const char*>(field.data()), static_cast<std::size_t>(end - field.begin())};
}

void Framer::append(std::span<const std::byte> received) {
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
    pending_.insert(pending_.end(), received.begin(), received.end());
}

Framer::Next Framer::next(std::vector<std::byte>& message) {
    if (broken_) {
        return Next::ProtocolError;
    }
    const std::span<const std::byte> unread = std::span{pending_}.subspan(start_);
    if (unread.size() < 4) {
        return Next::NeedMore;
    }
    const std::uint32_t size = lf_read<std::uint32_t>(unread, 0);
    if (size < minimumSize_ || size > kMaxMessageSize) {
        broken_ = true;
        return Next::ProtocolError;
    }
    if (unread.size() < size) {
        return Next::NeedMore;
    }
    message.assign(unread.begin(), unread.begin() + size);
    start_ += size;
    if (start_ == pending_.size()) {
        pending_.clear();
        start_ = 0;
    }
    return Next::Message;
}

}  // namespace platform::simconnect::wire
