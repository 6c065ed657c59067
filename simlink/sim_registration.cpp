// The link's registrations after each open: system events, data
// definitions, client events and the notification group, in a fixed order.
// Their results are not looked at: a registration the simulator refuses comes
// back as an exception record.

#include <array>

#include "platform/simconnect/simconnect.h"
#include "records/sim_ids.h"
#include "simlink/sim_client.h"
#include "simlink/simlink_state.h"

namespace sc = platform::simconnect;

namespace {

struct SystemEventEntry {
    SimSystemEventId id;
    const char* name;
};

// FlightLoaded before Frame.
constexpr std::array<SystemEventEntry, 5> kSystemEvents{{
    {SimSystemEventId::Sim, "Sim"},
    {SimSystemEventId::ObjectAdded, "ObjectAdded"},
    {SimSystemEventId::ObjectRemoved, "ObjectRemoved"},
    {SimSystemEventId::FlightLoaded, "FlightLoaded"},
    {SimSystemEventId::Frame, "Frame"},
}};

struct DatumEntry {
    SimDefinitionId definition;
    const char* variable;
    const char* units;  // null for texts
    sc::DataType type;
};

using enum SimDefinitionId;
using sc::DataType;

// Each definition's fields in the order of its data block.
constexpr std::array<DatumEntry, 33> kData{{
    {UserTitle, "TITLE", nullptr, DataType::StringV},
    {UserModel, "ATC MODEL", nullptr, DataType::String32},
    {UserOnGround, "SIM ON GROUND", "Bool", DataType::Int64},
    {AiPosition, "Plane Latitude", "degree", DataType::Float64},
    {AiPosition, "Plane Longitude", "degree", DataType::Float64},
    {AiPosition, "Plane Pitch degrees", "radians", DataType::Float64},
    {AiPosition, "Plane Bank degrees", "radians", DataType::Float64},
    {AiPosition, "Plane Heading degrees true", "radians", DataType::Float64},
    {AiPosition, "Plane Altitude", "feet", DataType::Float64},
    {AiPosition, "Vertical Speed", "feet per second", DataType::Float64},
    {AiPosition, "Airspeed True", "knots", DataType::Float64},
    {UserAircraft, "Plane Latitude", "degree", DataType::Float64},
    {UserAircraft, "Plane Longitude", "degree", DataType::Float64},
    {UserAircraft, "Plane Pitch degrees", "radians", DataType::Float64},
    {UserAircraft, "Plane Bank degrees", "radians", DataType::Float64},
    {UserAircraft, "Plane Heading degrees true", "radians", DataType::Float64},
    {UserAircraft, "Plane Altitude", "feet", DataType::Float64},
    {UserAircraft, "Plane Alt Above Ground", "feet", DataType::Float64},
    {UserAircraft, "Ground Velocity", "knots", DataType::Float64},
    {UserAircraft, "ZULU TIME", "Seconds", DataType::Int64},
    {UserAircraft, "ZULU DAY OF YEAR", "Number", DataType::Int64},
    {UserAircraft, "ZULU YEAR", "Number", DataType::Int64},
    {UserAircraft, "LIGHT STATES", "Mask", DataType::Int64},
    {StaticAttitude, "Static CG to Ground", "feet", DataType::Float64},
    {StaticAttitude, "Static Pitch", "radians", DataType::Float64},
    {LightOnStates, "Light On States", "Mask", DataType::Int64},
    {AircraftInRange, "Plane Alt Above Ground", "feet", DataType::Float64},
    {AircraftInRange, "Ground Altitude", "feet", DataType::Float64},
    {AircraftInRange, "SIM ON GROUND", "Bool", DataType::Int64},
    {AircraftInRange, "ATC ID", nullptr, DataType::String32},
    {SpoilersThrottles, "SPOILERS HANDLE POSITION", "percent", DataType::Float64},
    {SpoilersThrottles, "GENERAL ENG THROTTLE LEVER POSITION:1", "percent", DataType::Float64},
    {SpoilersThrottles, "GENERAL ENG THROTTLE LEVER POSITION:2", "percent", DataType::Float64},
}};

struct ClientEventEntry {
    SimEventId id;
    const char* name;
};

constexpr std::array<ClientEventEntry, 17> kClientEvents{{
    {SimEventId::GearSet, "GEAR_SET"},
    {SimEventId::EngineAutoStart, "ENGINE_AUTO_START"},
    {SimEventId::EngineAutoShutdown, "ENGINE_AUTO_SHUTDOWN"},
    {SimEventId::ThrottleSet, "THROTTLE_SET"},
    {SimEventId::FlapsSet, "FLAPS_SET"},
    {SimEventId::SpoilersSet, "SPOILERS_SET"},
    {SimEventId::NavLightsSet, "NAV_LIGHTS_SET"},
    {SimEventId::BeaconLightsSet, "BEACON_LIGHTS_SET"},
    {SimEventId::LandingLightsSet, "LANDING_LIGHTS_SET"},
    {SimEventId::TaxiLightsSet, "TAXI_LIGHTS_SET"},
    {SimEventId::StrobesSet, "STROBES_SET"},
    {SimEventId::LogoLightsSet, "LOGO_LIGHTS_SET"},
    {SimEventId::CabinLightsSet, "CABIN_LIGHTS_SET"},
    {SimEventId::AllLightsToggle, "ALL_LIGHTS_TOGGLE"},
    {SimEventId::FreezeLatitudeLongitudeSet, "FREEZE_LATITUDE_LONGITUDE_SET"},
    {SimEventId::FreezeAltitudeSet, "FREEZE_ALTITUDE_SET"},
    {SimEventId::FreezeAttitudeSet, "FREEZE_ATTITUDE_SET"},
}};

// The members of the notification group, in the order they are added; every
// client event but ENGINE_AUTO_START.
constexpr std::array<SimEventId, 16> kGroupMembers{
    SimEventId::NavLightsSet,
    SimEventId::BeaconLightsSet,
    SimEventId::LandingLightsSet,
    SimEventId::TaxiLightsSet,
    SimEventId::StrobesSet,
    SimEventId::LogoLightsSet,
    SimEventId::CabinLightsSet,
    SimEventId::AllLightsToggle,
    SimEventId::FlapsSet,
    SimEventId::SpoilersSet,
    SimEventId::GearSet,
    SimEventId::EngineAutoShutdown,
    SimEventId::ThrottleSet,
    SimEventId::FreezeLatitudeLongitudeSet,
    SimEventId::FreezeAltitudeSet,
    SimEventId::FreezeAttitudeSet,
};

}  // namespace

void registerSimConnect() {
    for (const SystemEventEntry& event : kSystemEvents) {
        sc::SimConnect_SubscribeToSystemEvent(hSimConnect, gf_simId(event.id), event.name);
    }
    for (const DatumEntry& datum : kData) {
        sc::SimConnect_AddToDataDefinition(hSimConnect, gf_simId(datum.definition), datum.variable, datum.units,
                                           datum.type, 0.0F, sc::kUnused);
    }
    for (const ClientEventEntry& event : kClientEvents) {
        sc::SimConnect_MapClientEventToSimEvent(hSimConnect, gf_simId(event.id), event.name);
    }
    for (const SimEventId event : kGroupMembers) {
        addToNotificationGroup(gf_simId(event));
    }
    sc::SimConnect_SetNotificationGroupPriority(hSimConnect, kSimNotificationGroup, sc::kGroupPriorityHighest);
}

void addToNotificationGroup(std::uint32_t eventId) {
    sc::SimConnect_AddClientEventToNotificationGroup(hSimConnect, kSimNotificationGroup, eventId, true);
}
