#pragma once
// The records that pass between the traffic manager and the simulator link:
// commands one way (CreateRequest, PositionCmd, EventCmd), results the other
// (SimResult), and the user aircraft's data (UserAcData).

#include <cstdint>
#include <string>
#include <string_view>

#include "core/great_circle.h"
#include "platform/simconnect/simconnect.h"
#include "records/sim_ids.h"

// One aircraft to create.
struct CreateRequest {
    // Where it appears: degrees, feet, knots; the traffic manager converts
    // its radians to degrees (x 57.29577951308232) and sets on-ground and
    // airspeed to 0 for live aircraft.
    platform::simconnect::InitPosition initPos;
    // The callsign. The simulator reports it back as the new object's
    // "ATC ID", which is how the object is recognised.
    std::string tailNumber;
    // The livery (container) title. Not owned: the text must stay valid
    // until the request has been sent on the next frame.
    std::string_view liveryTitle;
    // The traffic manager's id: above 10000 for a live aircraft (the feed's
    // hex id), 10000 or less for a static parked one.
    std::uint32_t aircraftId = 0;
};

// The 64-byte data block of definition 402, in its field order.
struct PositionBlock {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double pitchRad = 0.0;  // negative for nose up
    double bankRad = 0.0;
    double headingRad = 0.0;  // true
    double altitudeFt = 0.0;
    double verticalSpeedFps = 0.0;
    double trueAirspeedKt = 0.0;
};
static_assert(sizeof(PositionBlock) == 64);

// One frame's position of one created aircraft.
struct PositionCmd {
    PositionBlock position;
    std::uint32_t objectId = 0;
};

// One client event for one object.
struct EventCmd {
    std::uint32_t objectId = 0;
    SimEventId eventId = SimEventId::NavLightsSet;
    std::uint32_t data = 0;  // the event's parameter (1 for the freeze events)
};

// A creation sent and not yet recognised; kept by the link's thread alone.
struct SentCreate {
    std::uint32_t sendId = 0;  // packet id of the creation call; 0 when it was not available
    std::uint32_t aircraftId = 0;
    std::string tailNumber;
};

enum class SimResultKind : std::uint32_t {
    LiveCreated = 0,    // objectId: the new object; value: aircraft id; b: feet above ground
    StaticCreated = 1,  // objectId: the new object; value: aircraft id
    Removed = 2,        // objectId: the removed aircraft object
    GroundData = 3,     // value: SIM ON GROUND (0, 1); a: ground altitude, ft; b: feet above ground
    StaticCg = 4,       // a: "Static CG to Ground", ft; b: "Static Pitch", rad
    // 5 is not used.
    CreateFailed = 6,  // value: the aircraft id whose creation the simulator refused
};

// One result for the traffic manager.
struct SimResult {
    std::uint32_t objectId = 0;
    std::uint32_t value = 0;
    std::uint32_t reserved = 0;  // always 0
    SimResultKind kind = SimResultKind::LiveCreated;
    double a = 0.0;
    double b = 0.0;
};

// The 96-byte data block of definition 403, in its field order. Latitude
// and longitude both within 0.0001 degrees of 0 mean that no position is
// known yet (gf_isPositionKnown).
struct UserAcData {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double pitchRad = 0.0;
    double bankRad = 0.0;
    double headingRad = 0.0;  // true
    double altitudeFt = 0.0;  // 0 when the simulator reports a negative altitude
    double altAboveGroundFt = 0.0;
    double groundVelocityKt = 0.0;
    std::int64_t zuluTimeS = 0;      // seconds of the day
    std::int64_t zuluDayOfYear = 0;  // 1 to 366
    std::int64_t zuluYear = 0;
    std::int64_t lightStates = 0;  // LIGHT STATES mask
};
static_assert(sizeof(UserAcData) == 96);

inline GeoPosition gf_userPosition(const UserAcData& data) { return {data.latitudeDeg, data.longitudeDeg}; }

// More than 0.0001 degrees from 0 in latitude or longitude: a position, not
// the "none yet" of a simulator that has not answered.
bool gf_isPositionKnown(const GeoPosition& position);
