#pragma once
// Our SimConnect client: the calls the simulator link makes, spoken over
// SimConnect's own TCP protocol, so the same client drives a simulator on
// another PC and the stand-in simulator (tools/sim).
//
// Where the simulator is: SimConnect.cfg in the working folder, section
// [SimConnect] for configuration index 0 and [SimConnect.N] otherwise, keys
// Protocol (IPv4 or IPv6), Address and Port; without it 127.0.0.1 port 500.
//
// Results: below 0 is failure (kFail, kInvalidArg), 0 is success. Like the
// simulator's own client, a call that is sent returns success; what the
// simulator refuses comes back later as an EXCEPTION record whose sendId is
// the failed packet's send id (SimConnect_GetLastSentPacketID right after
// the call).
//
// Threads: every call may be made from any thread at once. Sending is
// serialised and send ids are given in sending order. A reader thread per
// connection collects records; SimConnect_CallDispatch delivers them in
// order on the caller's thread, holding no lock of this layer, so a dispatch
// procedure may call the API again and may throw (the exception leaves
// CallDispatch; the records not yet delivered stay queued).
// A handle is never dereferenced by the caller and never reused: after
// SimConnect_Close, or once the connection is lost, every call with it fails
// cleanly. CallDispatch keeps delivering what arrived before a loss and then
// fails, which is how a caller sees that the simulator is gone.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform::simconnect {

struct ClientTag;
using Handle = ClientTag*;  // opaque; null means none

using Result = std::int32_t;
inline constexpr Result kOk = 0;
inline constexpr Result kFail = static_cast<Result>(0x80004005u);
inline constexpr Result kInvalidArg = static_cast<Result>(0x80070057u);

inline constexpr std::uint32_t kUnused = 0xFFFFFFFF;  // no datum id; group of system events
inline constexpr std::uint32_t kObjectIdUser = 0;
inline constexpr std::uint32_t kGroupPriorityHighest = 1;
inline constexpr std::uint32_t kEventFlagGroupIdIsPriority = 0x10;
inline constexpr std::uint32_t kDataRequestFlagChanged = 1;
inline constexpr std::uint32_t kDataRequestFlagTagged = 2;

enum class Period : std::uint32_t { Never = 0, Once = 1, VisualFrame = 2, SimFrame = 3, Second = 4 };

enum class SimObjectType : std::uint32_t { User = 0, All = 1, Aircraft = 2, Helicopter = 3, Boat = 4, Ground = 5 };

enum class DataType : std::uint32_t {
    Int32 = 1,
    Int64 = 2,
    Float32 = 3,
    Float64 = 4,
    String32 = 6,
    String256 = 9,
    String260 = 10,
    StringV = 11,
    InitPosition = 12,
};

// Exception numbers of EXCEPTION records that the program tells apart.
enum class Exception : std::uint32_t {
    None = 0,
    Error = 1,
    SizeMismatch = 2,
    UnrecognizedId = 3,
    VersionMismatch = 5,
    NameUnrecognized = 7,
    TooManyObjects = 11,
    InvalidDataSize = 19,
    DataError = 20,
    CreateObjectFailed = 22,
    LoadFlightplanFailed = 23,
    OperationInvalidForObjectType = 24,
    ObjectOutsideRealityBubble = 33,
};

enum class RecvId : std::uint32_t {
    Null = 0,
    Exception = 1,
    Open = 2,
    Quit = 3,
    Event = 4,
    EventObjectAddRemove = 5,
    EventFilename = 6,
    EventFrame = 7,
    SimObjectData = 8,
    SimObjectDataByType = 9,
    AssignedObjectId = 12,
};

// Where a new AI aircraft appears (56 bytes on the wire).
struct InitPosition {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double altitudeFt = 0.0;
    double pitchDeg = 0.0;
    double bankDeg = 0.0;
    double headingDeg = 0.0;  // true
    std::uint32_t onGround = 0;
    std::uint32_t airspeedKt = 0;  // 0xFFFFFFFF: cruise speed, 0xFFFFFFFE: keep
};

// Received records. The dispatch procedure gets a Recv pointer and casts it
// to the type that its id names; a record of an id not listed in RecvId
// arrives as a bare Recv (header only).
struct Recv {
    std::uint32_t size = 0;     // bytes on the wire, header included
    std::uint32_t version = 0;  // protocol version of the server
    RecvId id = RecvId::Null;
};

struct RecvException : Recv {
    Exception exception = Exception::None;
    std::uint32_t sendId = 0;  // the send id of the packet at fault
    std::uint32_t index = 0;   // the index of the parameter at fault
};

struct RecvOpen : Recv {
    std::string applicationName;  // "KittyHawk": MSFS 2020; "SunRise": MSFS 2024
    std::array<std::uint32_t, 4> applicationVersion{};  // major, minor, build major, build minor
    std::array<std::uint32_t, 4> simConnectVersion{};
};

struct RecvQuit : Recv {};

struct RecvEvent : Recv {
    std::uint32_t groupId = kUnused;  // kUnused for system events
    std::uint32_t eventId = 0;
    std::uint32_t data = 0;
};

struct RecvEventObjectAddRemove : RecvEvent {  // data is the object id
    SimObjectType objectType = SimObjectType::User;
};

struct RecvEventFilename : RecvEvent {
    std::string fileName;
    std::uint32_t flags = 0;
};

struct RecvEventFrame : RecvEvent {
    float frameRate = 0.0F;
    float simulationSpeed = 0.0F;
};

// The datums follow each other in the definition's order with no padding.
// The layer has checked the block against the definition: every datum of
// the definition lies inside `data`, and each STRINGV ends with its NUL
// inside it. `data` is valid only during the dispatch procedure's call.
struct RecvSimObjectData : Recv {
    std::uint32_t requestId = 0;
    std::uint32_t objectId = 0;
    std::uint32_t defineId = 0;
    std::uint32_t flags = 0;
    std::uint32_t entryNumber = 0;
    std::uint32_t outOf = 0;
    std::uint32_t defineCount = 0;
    std::span<const std::byte> data;
};

struct RecvSimObjectDataByType : RecvSimObjectData {};

struct RecvAssignedObjectId : Recv {
    std::uint32_t requestId = 0;
    std::uint32_t objectId = 0;
};

// Reads the datums of a data block in order; a read past its end throws
// std::out_of_range.
class DatumReader {
public:
    explicit DatumReader(std::span<const std::byte> data) : data_(data) {}
    double float64();
    std::int64_t int64();
    // A fixed text field (STRING32: 32 bytes), up to its first NUL.
    std::string text(std::size_t fieldSize);
    // A STRINGV: the text up to its NUL, which it skips.
    std::string stringV();

private:
    std::span<const std::byte> take(std::size_t count);
    std::span<const std::byte> data_;
};

using DispatchProc = void (*)(const Recv* record, std::uint32_t size, void* context);

// The simulator the Open packet is meant for: it decides the protocol
// version that Open tries first (MSFS 2024: 6, then 5, then 4; MSFS 2020: 5,
// then 4). Takes effect at the next Open; MSFS 2024 until set.
enum class TargetSimulator { Msfs2020, Msfs2024 };
void selectTargetSimulator(TargetSimulator simulator);

// Connects, sends the Open packet and waits for the simulator's answer,
// falling back to the next older protocol on a version-mismatch exception.
// Fails (no handle) when no simulator answers: connection refused, no
// connection within 1 s, or no answer within 2 s. The OPEN record (or the
// last version-mismatch exception) is delivered by the first CallDispatch.
// The window, user event and event handle of the Windows call are accepted
// and ignored.
Result SimConnect_Open(Handle* handle, const char* name, void* window, std::uint32_t userEventWin32,
                       void* eventHandle, std::uint32_t configIndex);
// Ends the connection (no packet is sent) and invalidates the handle.
Result SimConnect_Close(Handle handle);
// Delivers the records that have arrived, in order. kFail once the
// connection is lost (or closed) and nothing is left to deliver.
Result SimConnect_CallDispatch(Handle handle, DispatchProc dispatch, void* context);

Result SimConnect_SubscribeToSystemEvent(Handle handle, std::uint32_t eventId, const char* systemEventName);
Result SimConnect_AddToDataDefinition(Handle handle, std::uint32_t defineId, const char* datumName,
                                      const char* unitsName, DataType datumType = DataType::Float64,
                                      float epsilon = 0.0F, std::uint32_t datumId = kUnused);
Result SimConnect_MapClientEventToSimEvent(Handle handle, std::uint32_t eventId, const char* eventName);
Result SimConnect_AddClientEventToNotificationGroup(Handle handle, std::uint32_t groupId, std::uint32_t eventId,
                                                    bool maskable);
Result SimConnect_SetNotificationGroupPriority(Handle handle, std::uint32_t groupId, std::uint32_t priority);
Result SimConnect_RequestDataOnSimObject(Handle handle, std::uint32_t requestId, std::uint32_t defineId,
                                         std::uint32_t objectId, Period period, std::uint32_t flags = 0,
                                         std::uint32_t origin = 0, std::uint32_t interval = 0,
                                         std::uint32_t limit = 0);
Result SimConnect_RequestDataOnSimObjectType(Handle handle, std::uint32_t requestId, std::uint32_t defineId,
                                             std::uint32_t radiusMeters, SimObjectType type);
// An array count of 0 means one element (sent as 1).
Result SimConnect_SetDataOnSimObject(Handle handle, std::uint32_t defineId, std::uint32_t objectId,
                                     std::uint32_t flags, std::uint32_t arrayCount, std::uint32_t unitSize,
                                     const void* data);
Result SimConnect_TransmitClientEvent(Handle handle, std::uint32_t objectId, std::uint32_t eventId,
                                      std::uint32_t data, std::uint32_t groupId, std::uint32_t flags);
Result SimConnect_AICreateNonATCAircraft(Handle handle, const char* containerTitle, const char* tailNumber,
                                         const InitPosition& initPosition, std::uint32_t requestId);
// The send id of the last packet this connection sent.
Result SimConnect_GetLastSentPacketID(Handle handle, std::uint32_t* sendId);
Result SimConnect_AIReleaseControl(Handle handle, std::uint32_t objectId, std::uint32_t requestId);
Result SimConnect_AIRemoveObject(Handle handle, std::uint32_t objectId, std::uint32_t requestId);
// The path is narrow text as the simulator opens it, shorter than
// kPathFieldBytes so that it fits its field with the terminating zero; a
// longer one is refused (kInvalidArg), as cut short it would name another
// file.
inline constexpr std::size_t kPathFieldBytes = 260;
Result SimConnect_AISetAircraftFlightPlan(Handle handle, std::uint32_t objectId, const char* flightPlanPath,
                                          std::uint32_t requestId);

}  // namespace platform::simconnect
