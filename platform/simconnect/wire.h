#pragma once
// SimConnect's TCP wire format, shared by our client and the stand-in
// simulator: framing limits, packet and record ids, the Open versions, and a
// bounds-checked writer, reader and stream framer.
//
// Every message starts with a u32 holding its whole size. Numbers are
// little-endian, structures packed; texts sit NUL-padded in fixed fields and
// are cut to field size - 1 so that a NUL always ends them.
// Client -> server header (16 bytes): size, protocol version,
// packet type (0xF0000000 | id), send id. Server -> client (12 bytes): size,
// protocol version, record id.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::simconnect::wire {

inline constexpr std::size_t kClientHeaderSize = 16;
inline constexpr std::size_t kServerHeaderSize = 12;
// The simulator's own maximum receive size; larger messages are a protocol error.
inline constexpr std::size_t kMaxMessageSize = 41088;
inline constexpr std::uint32_t kPacketTypeMark = 0xF0000000;
// Send id of a client's first packet (its Open); later packets count up.
inline constexpr std::uint32_t kFirstSendId = 1;

enum class PacketType : std::uint32_t {
    Open = 0x01,
    MapClientEventToSimEvent = 0x04,
    TransmitClientEvent = 0x05,
    AddClientEventToNotificationGroup = 0x07,
    SetNotificationGroupPriority = 0x09,
    AddToDataDefinition = 0x0C,
    RequestDataOnSimObject = 0x0E,
    RequestDataOnSimObjectType = 0x0F,
    SetDataOnSimObject = 0x10,
    SubscribeToSystemEvent = 0x17,
    AICreateNonATCAircraft = 0x29,
    AICreateNonATCAircraftEx1 = 0x59,  // with a livery name; protocol 6 (MSFS 2024)
    AIReleaseControl = 0x2B,
    AIRemoveObject = 0x2C,
    AISetAircraftFlightPlan = 0x2D,
};

// The call's name ("AIRemoveObject"), or an empty view for an unknown type.
std::string_view packetTypeName(std::uint32_t typeId);
std::optional<PacketType> packetTypeFromName(std::string_view name);

// Whole sizes of the fixed-size packets (SetDataOnSimObject: 36 + data).
inline constexpr std::size_t kOpenSize = 296;
inline constexpr std::size_t kSetDataHeaderSize = 36;
inline constexpr std::size_t kNameFieldSize = 256;
inline constexpr std::size_t kTailNumberFieldSize = 12;
inline constexpr std::size_t kPathFieldSize = 260;
inline constexpr std::size_t kInitPositionSize = 56;

// The Open packet of one protocol generation.
struct OpenVersion {
    std::uint32_t headerVersion;
    std::array<std::uint8_t, 4> tag;         // 4 bytes at +276
    std::array<std::uint32_t, 4> version;    // major, minor, build major, build minor
};

inline constexpr OpenVersion kOpenMsfs2024{6, {0x00, 0x52, 0x53, 0x00}, {12, 2, 282174, 999}};
inline constexpr OpenVersion kOpenMsfs2020{5, {0x00, 0x48, 0x4B, 0x00}, {11, 0, 62651, 3}};
inline constexpr OpenVersion kOpenLegacy{4, {0x00, 0x58, 0x53, 0x46}, {10, 0, 61259, 0}};

// Record sizes the client needs at least; larger records are accepted.
inline constexpr std::size_t kExceptionSize = 24;
inline constexpr std::size_t kOpenRecordSize = 308;
inline constexpr std::size_t kEventSize = 24;
inline constexpr std::size_t kEventObjectAddRemoveSize = 28;
inline constexpr std::size_t kEventFilenameSize = 288;
inline constexpr std::size_t kEventFrameSize = 32;
inline constexpr std::size_t kSimObjectDataHeaderSize = 40;
inline constexpr std::size_t kAssignedObjectIdSize = 20;

// Byte size of a fixed-size data type; 0 for STRINGV and unknown types.
std::size_t dataTypeSize(std::uint32_t dataType);
inline constexpr std::uint32_t kDataTypeStringV = 11;

// Appends little-endian values; the message size is patched in last.
class Writer {
public:
    Writer& u32(std::uint32_t value);
    Writer& i32(std::int32_t value);
    Writer& i64(std::int64_t value);
    Writer& f32(float value);
    Writer& f64(double value);
    // The text, cut to fieldSize - 1 bytes, NUL-padded to fieldSize.
    Writer& text(std::string_view value, std::size_t fieldSize);
    Writer& bytes(std::span<const std::byte> value);
    void patchU32(std::size_t offset, std::uint32_t value);
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::byte> take() { return std::move(bytes_); }
    const std::vector<std::byte>& data() const { return bytes_; }

private:
    std::vector<std::byte> bytes_;
};

// Reads little-endian values at offsets; a read past the end throws
// std::out_of_range, so a short message can never be overread.
class Reader {
public:
    explicit Reader(std::span<const std::byte> bytes) : bytes_(bytes) {}
    std::size_t size() const { return bytes_.size(); }
    std::uint32_t u32(std::size_t offset) const;
    std::int32_t i32(std::size_t offset) const;
    std::int64_t i64(std::size_t offset) const;
    float f32(std::size_t offset) const;
    double f64(std::size_t offset) const;
    // The text of a fixed field, up to its first NUL (the whole field when none).
    std::string text(std::size_t offset, std::size_t fieldSize) const;
    std::span<const std::byte> bytes(std::size_t offset, std::size_t count) const;

private:
    std::span<const std::byte> bytes_;
};

// Cuts a byte stream into whole messages by their size field.
class Framer {
public:
    // Messages below minimumSize or above kMaxMessageSize are a protocol error.
    explicit Framer(std::size_t minimumSize) : minimumSize_(minimumSize) {}

    enum class Next { Message, NeedMore, ProtocolError };

    void append(std::span<const std::byte> received);
    // Moves the next whole message into `message`. After a protocol error
    // the stream cannot be resynchronised: every later call reports it again.
    Next next(std::vector<std::byte>& message);

private:
    std::size_t minimumSize_;
    std::vector<std::byte> pending_;
    std::size_t start_ = 0;  // first unread byte of pending_
    bool broken_ = false;
};

}  // namespace platform::simconnect::wire
