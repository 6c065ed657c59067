#pragma once
// The traffic manager's records: one LiveAc per aircraft of the live feed,
// one ParkedAc per static parked aircraft. Both begin with the same identity
// (AcIdentity), whose texts (LiveAcStrings) are also the first part of every
// traffic report. The two vectors that hold them belong to the worker thread.

#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/great_circle.h"
#include "liveries/aircraft_category.h"
#include "records/live_ac_strings.h"
#include "records/live_ac_update.h"
#include "records/sim_records.h"

// Where an aircraft stands in its simulator life.
enum class SimState : std::uint32_t {
    Buffer = 0,           // "buffer": known, not yet sent to the simulator
    Adding2Sim = 1,       // "adding2sim": create request queued or sent
    Active = 2,           // "active": the object exists and is moved
    LiveryRespawn = 3,    // "liveryrespawn": removed to be created again with another livery
    RemovingFromSim = 4,  // "removingfromsim": removal queued
};

// How an aircraft moves. Change it with gf_setGroundPhase, which keeps the
// phase it replaces.
enum class GroundPhase : std::uint32_t {
    PushingBack = 0,  // "pushing_back"
    PushedBack = 1,   // "pushed_back"
    Taxi = 2,         // "taxi"
    TakeOff = 3,      // "take_off"
    Flying = 4,       // "flying"
    Parking = 5,      // "parking"
    Parked = 6,       // "parked"
    Birth = 7,        // "birth": made, no phase chosen yet
};

// Ids up to this one belong to static parked aircraft; live aircraft carry
// the feed's hex id, which is always larger.
inline constexpr std::uint32_t kMaxStaticAircraftId = 10000;
constexpr bool gf_isLiveAircraftId(std::uint32_t aircraftId) { return aircraftId > kMaxStaticAircraftId; }

// What both kinds of record know of their aircraft.
struct AcIdentity {
    LiveAcStrings strings;
    double halfSpanNm = 0.0;        // half the wing span of the type
    double staticCgHeightFt = 0.0;  // reference point above the ground, as the simulator reports it
    double staticPitchRad = 0.0;    // pitch standing on the ground, as the simulator reports it
    double rotationPitchRad = 0.0;  // take-off rotation; negative is nose up
    double climbPitchRad = 0.0;     // climb; negative is nose up
    double taxiTurnRateRad = 0.0;   // per tick
    double turnRateRad = 0.0;       // per tick, the working copy that ground movement scales
    double maxAltStepFt = 0.0;      // largest altitude step per tick
    double standTaxiSpeedKt = 0.0;  // speed onto and off a stand
    std::uint32_t aircraftId = 0;   // the feed's hex id, or the small id of a static aircraft
    AircraftCategory category = AircraftCategory::Large;
    // The chosen livery: a view into the livery catalogue, valid while the
    // catalogue lives; empty until a livery is matched.
    std::string_view liveryTitle;
    std::uint32_t flareTicks = 0;
    std::uint32_t rolloutTicks = 0;  // the landing rollout
    std::uint32_t rotationTicks = 0;
    std::uint32_t climbPitchTicks = 0;
    bool cargo = false;  // flies cargo (its registration record says so)
    // Set by livery matching: the livery is one of the FSLTL package
    // ("FSLTL_" in its title), whose aircraft reverse their thrust.
    bool reverseThrust = false;
};

// The quadratic curve a live aircraft follows between two reports; local
// geometry in metres (111132.95 m per degree of latitude).
struct CurveState {
    double originLatDeg = 0.0;
    double originLonDeg = 0.0;
    double t0 = 0.0;
    double endNorthM = 0.0;
    double endEastM = 0.0;
    double t1 = 0.0;
    double controlEastM = std::numeric_limits<double>::quiet_NaN();
    double controlNorthM = std::numeric_limits<double>::quiet_NaN();
    double t = 0.0;
    double tStep = 0.0;
    double turnDeg = 0.0;
};

// One aircraft of the live traffic feed. Made only by the report intake
// (createLiveAc); it owns its report blocks.
struct LiveAc {
    LiveAc(const ReportBlock& firstReport, AcIdentity identity, double feedTimeS);

    AcIdentity identity;
    std::uint32_t objectId = 0;  // the simulator's object, once created
    double standLatDeg = 0.0;    // the stand it stands on or drives to
    double standLonDeg = 0.0;
    double standHeadingRad = 0.0;
    std::uint64_t arrivalSlot = 0;  // time of week of its arrival at the stand
    std::uint32_t standId = 0;      // 0 = none
    SimState simState = SimState::Buffer;
    std::uint32_t throttleIndex = 5;  // last THROTTLE_SET index sent (0 to 4); 5 = none yet
    std::uint32_t flapsIndex = 4;     // last flaps index sent
    bool cargoStand = false;          // its stand is a cargo stand: no cabin lights
    bool removeWhenCreated = false;   // to be removed as soon as its creation is reported
    bool eraseBuffered = false;       // erase at the end of this tick (buffer or adding2sim)
    bool eraseRemoved = false;        // erase at the end of this tick (removed)
    PositionBlock position;           // sent to the simulator each frame
    std::deque<ReportBlock> reports;  // the report stream, oldest first
    double lastReportTimeS = 0.0;     // feed time of the last report taken
    // Ground speed of the last report heard that was judged for a speed
    // jump, taken or refused.
    double lastHeardSpeedKt = 0.0;
    double collisionCheckLatDeg = 0.0;
    double collisionCheckLonDeg = 0.0;
    std::uint64_t parkedSince = 0;  // system clock, 100-ns ticks, when put on its stand
    // Blocks the program may still add by itself after the reports stopped;
    // the intake's repeat filters and identity checks apply while it is below 1.
    std::int32_t extensionCount = 0;
    std::uint32_t holdingSinceTick = 0;
    GroundPhase groundPhase = GroundPhase::Birth;
    GroundPhase previousGroundPhase = GroundPhase::Birth;
    bool standConfirmed = false;
    bool onGround = false;
    bool hasFlightPlan = false;
    bool heldForUser = false;  // its spawn is held back because of the user aircraft
    bool holding = false;
    double latStepDeg = 0.0;  // per-tick steps toward the next report
    double lonStepDeg = 0.0;
    double pitchStepRad = 0.0;
    double bankStepRad = 0.0;
    double headingStepRad = 0.0;
    double altStepFt = 0.0;
    double verticalSpeedFpm = 0.0;
    double signedGroundSpeedKt = 0.0;  // negative while pushing back
    CurveState curve;
    ReportBlock pushbackTurnPoint;
    double lastParkTryLatDeg = 0.0;
    double lastParkTryLonDeg = 0.0;
    std::int32_t maxEarlyTicks = 1000;  // the lag window of report playback
    std::int32_t maxLateTicks = 1000;
    std::int32_t groundTicks = 1;  // take-off roll counter
    std::int32_t pushbackStage = 0;
    std::uint32_t standMoveCount = 0;
    double targetHeadingRad = 0.0;
    double heightAboveGroundFt = 2500.0;
    double flareHeightFt = 0.0;
    double headingAtLastFlapsRad = 0.0;
    double pushbackHoldDistanceNm = 0.0;
    double firstStandDistanceNm = 0.0;
    double lastStandDistanceNm = 0.0;
    double turnAngleDeg = 0.0;
    std::optional<double> respawnHeadingRad;  // kept for the creation after a livery respawn
    bool pushbackHasTurn = false;
    bool pushbackTurnRight = false;
    std::optional<double> touchdownElevationFt;
    std::uint32_t flareStage = 0;  // 0 to 4
    bool landing = false;
    bool wideStandSearch = false;
    bool towed = false;
    bool landingConfigured = false;
    bool departing = false;
    bool highLightSet = false;
    bool lowLightSet = false;
    bool pitchRecovery = false;
    bool takeOffPending = false;
    bool leavingStand = false;
    bool turningToTarget = false;
};

// One static parked aircraft. Its fields shared with LiveAc have the same
// meaning, so that creation and removal treat both alike.
struct ParkedAc {
    ParkedAc(AcIdentity identity, const GeoPosition& standPosition, double standHeadingRad, std::uint32_t standId,
             bool cargoStand);

    AcIdentity identity;
    std::uint32_t objectId = 0;
    double standLatDeg = 0.0;
    double standLonDeg = 0.0;
    double standHeadingRad = 0.0;
    std::uint64_t arrivalSlot = 0;
    std::uint32_t standId = 0;
    SimState simState = SimState::Buffer;
    std::uint32_t throttleIndex = 5;
    std::uint32_t flapsIndex = 4;
    bool cargoStand = false;
    bool removeWhenCreated = false;
    bool eraseBuffered = false;
    bool eraseRemoved = false;
};

// The live aircraft with the id; null when there is none.
LiveAc* gf_findLiveAircraft(std::uint32_t aircraftId);
// The aircraft's position in liveAircraft; empty for a record that is not
// one of the list's (a copy).
std::optional<std::size_t> gf_liveIndexOf(const LiveAc& aircraft);

// A new identity for the texts: the half span and category of the type, and
// the values of the category's tables (rotation and climb pitch changed by
// up to 2.5 and 5 percent with a random sign). The caller sets aircraftId,
// turnRateRad, maxAltStepFt and standTaxiSpeedKt.
AcIdentity buildAcIdentity(const LiveAcStrings& strings);
// The category's largest altitude step per tick and its speed onto and off
// a stand; std::out_of_range for a category the tables lack.
double gf_maxAltStepFt(AircraftCategory category);
double gf_standTaxiSpeedKt(AircraftCategory category);
// Derives the identity's half span again from its type and, when the type
// now falls into another category, the category and every value taken from
// it (a changed type keeps nothing of the old type's size).
void gf_rederiveFromType(AcIdentity& identity);

// The names logs write; std::out_of_range "invalid unordered_map<K, T> key"
// for a value outside the table.
std::string_view gf_simStateName(SimState state);
std::string_view gf_groundPhaseName(GroundPhase phase);
std::string_view gf_aircraftCategoryName(AircraftCategory category);

// A helicopter has no gear, spoilers or flaps, and its rotor always turns
// at full throttle.
inline bool gf_isRotorcraft(const AcIdentity& identity) { return identity.category == AircraftCategory::Rotorcraft; }

// The aircraft gives up its stand: its position, heading, id and cargo
// flag are cleared.
inline void gf_clearStand(LiveAc& aircraft) {
    aircraft.standLatDeg = 0.0;
    aircraft.standLonDeg = 0.0;
    aircraft.standHeadingRad = 0.0;
    aircraft.standId = 0;
    aircraft.cargoStand = false;
}

// Changes the phase; the phase it replaces becomes the previous phase,
// unless the phase does not change.
void gf_setGroundPhase(LiveAc& aircraft, GroundPhase phase);
