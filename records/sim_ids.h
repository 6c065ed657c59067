#pragma once
// The numbers by which the simulator link names its SimConnect system
// events, data definitions, requests, client events and its one
// notification group. They are the program's own choice, fixed once: the
// simulator echoes them back in every record it sends.

#include <cstdint>
#include <type_traits>

// System events the link subscribes to.
enum class SimSystemEventId : std::uint32_t {
    Sim = 201,            // "Sim": data 1 while a flight runs, 0 at the menu
    ObjectAdded = 202,    // an aircraft object appeared
    ObjectRemoved = 203,  // an aircraft object is gone
    Frame = 204,          // one simulator frame: the command queues are sent
    FlightLoaded = 205,   // a flight was loaded: the run ends
};

// Data definitions.
enum class SimDefinitionId : std::uint32_t {
    SpoilersThrottles = 401,  // spoilers and both throttles of an AI aircraft, percent
    AiPosition = 402,         // PositionBlock, written every frame
    UserAircraft = 403,       // UserAcData
    AircraftInRange = 404,    // above ground, ground altitude, on ground, ATC ID
    StaticAttitude = 405,     // static CG height and pitch of a created static aircraft
    LightOnStates = 406,      // registered; no request reads it
    UserTitle = 407,          // TITLE of the user aircraft
    UserModel = 408,          // ATC MODEL of the user aircraft
    UserOnGround = 409,       // SIM ON GROUND of the user aircraft, every second
};

// Requests; the replies carry them.
enum class SimRequestId : std::uint32_t {
    AircraftInRange = 101,  // RequestDataOnSimObjectType, the traffic manager every 20 ticks
    StaticAttitude = 102,   // once per created aircraft
    ReleaseControl = 103,   // AIReleaseControl
    CreateAircraft = 104,   // AICreateNonATCAircraft
    RemoveObject = 105,     // AIRemoveObject
    UserTitle = 106,
    UserModel = 107,
    UserOnGround = 108,  // period SECOND: paces the run's work cycle
    UserAircraft = 109,
    FlightPlan = 110,  // AISetAircraftFlightPlan, MSFS 2020 only
};

// Client events, mapped to the simulator's events of the same name.
enum class SimEventId : std::uint32_t {
    BeaconLightsSet = 206,
    NavLightsSet = 207,
    TaxiLightsSet = 208,
    StrobesSet = 209,
    LandingLightsSet = 210,
    CabinLightsSet = 211,
    LogoLightsSet = 212,
    AllLightsToggle = 213,
    FreezeLatitudeLongitudeSet = 214,
    FreezeAltitudeSet = 215,
    FreezeAttitudeSet = 216,
    FlapsSet = 217,
    SpoilersSet = 218,
    GearSet = 219,
    EngineAutoStart = 220,  // mapped, but no member of the notification group
    EngineAutoShutdown = 221,
    ThrottleSet = 222,
};

// The one notification group; every client event is transmitted with it.
inline constexpr std::uint32_t kSimNotificationGroup = 301;

// The number a SimConnect call takes for one of the ids above.
template <class Id>
    requires std::is_enum_v<Id>
constexpr std::uint32_t gf_simId(Id id) {
    return static_cast<std::uint32_t>(id);
}
