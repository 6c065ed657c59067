#include "traffic/lifecycle/spawning.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/great_circle.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/units.h"
#include "liveries/aircraft_database.h"
#include "records/clock.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/active_live_count.h"
#include "traffic/aircraft_labels.h"
#include "traffic/category_switches.h"
#include "traffic/identity_checks.h"
#include "traffic/lifecycle/aircraft_livery.h"
#include "traffic/lifecycle/ghost_callsigns_index.h"
#include "traffic/lifecycle/ghost_removal.h"
#include "traffic/lifecycle/live_aircraft_limit.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/stands/ground_spawn_stand.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/parked_time.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/stands/stand_options.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"

namespace {

// A newcomer spawns this many ticks before its first report is due: taxiing
// ones early enough (3 s) to be created before they move, the others 1 s.
constexpr std::int64_t kMovingOnGroundLeadTicks = 300;
constexpr std::int64_t kLeadTicks = 100;
// While this many live creations wait, new-born aircraft wait too, each
// losing its oldest report per tick.
constexpr std::size_t kCreateQueueBacklog = 11;
// The fallback airline of an aircraft whose callsign names none: private.
constexpr const char* kPrivateAirline = "PVT";

// The hold-back near the user aircraft.
constexpr double kHeldUserMovingKt = 8.0;  // a held newcomer waits while the user or it taxis faster
constexpr double kHeldNearUserM = 500.0;
constexpr double kGroundConflictNm = 0.08099352051835854;  // 150 m
constexpr double kAirConflictRangeNm = 6.0;
constexpr double kAirConflictAltitudeFt = 3000.0;
constexpr double kAirConflictOffsetFt = 4000.0;
constexpr double kLandingConflictRangeNm = 1.5;
constexpr double kLandingUserHeightFt = 1000.0;
constexpr double kLandingConflictOffsetFt = 500.0;

// First attitude: on the ground 0.6 degrees nose up; in the air 3 degrees
// nose down plus 2.2 degrees per 600 fpm of climb, the climb limited to
// 2400 fpm, a descent to 3000 fpm and then halved.
constexpr double kGroundPitchRad = 0.010471975511965976;
constexpr double kAirBasePitchRad = -0.05235987755982989;
constexpr double kPitchDegPer600Fpm = 2.2;
constexpr double kMaxClimbFpm = 2400.0;
constexpr double kMaxDescentFpm = -3000.0;
constexpr double kSecondsPerMinute = 60.0;

void lf_dropOldestReport(LiveAc& aircraft) { aircraft.reports.pop_front(); }

bool lf_mixesAirAndGround(const LiveAc& aircraft) {
    const auto airborne = [](const ReportBlock& block) { return block.airborne; };
    return std::any_of(aircraft.reports.begin(), aircraft.reports.end(), airborne) &&
           !std::all_of(aircraft.reports.begin(), aircraft.reports.end(), airborne);
}

bool lf_isGhost(const std::string& callsign) {
    return gf_hasGhostSuffix(callsign) &&
           std::find(ghostCallsigns.begin(), ghostCallsigns.end(), callsign) != ghostCallsigns.end();
}

std::size_t lf_countLiveAircraftInSim() {
    return gf_countActiveLiveAircraft() + creationList.size() + liveCreateQueue.size();
}

// The registration's record knows the aircraft better than the feed.
void lf_applyRegistrationRecord(LiveAc& aircraft) {
    AcIdentity& identity = aircraft.identity;
    LiveAcStrings& strings = identity.strings;
    if (strings.registration.empty()) {
        return;
    }
    const std::optional<RegcodeRecord> record = gf_lookupRegcode(strings.registration);
    if (!record) {
        return;
    }
    strings.airline = record->operatorCode.empty() ? record->airline : record->operatorCode;
    strings.type = record->type;
    identity.cargo = record->cargo;
    if (!gf_isUsableCallsign(strings)) {
        gf_setLiveCallsign(aircraft, strings.registration);
    }
}

// The user on the ground holds back a newcomer on the ground close by.
bool lf_isHeldByUserOnGround(const LiveAc& aircraft, const UserAcData& user, const ReportBlock& front) {
    const double distanceNm = gf_greatCircleDistanceNm(gf_userPosition(user), gf_blockPosition(front));
    if (aircraft.heldForUser) {
        if (user.groundVelocityKt > kHeldUserMovingKt) {
            return true;
        }
        if (!front.airborne && (front.groundSpeedKt > kHeldUserMovingKt || distanceNm * kMetresPerNm < kHeldNearUserM)) {
            return true;
        }
    }
    if (front.airborne || !COLLISION_USER_GND.value) {
        return false;
    }
    return distanceNm < kGroundConflictNm;
}

// Would the newcomer appear on or right beside the airborne user's path?
// The lateral offset is measured from the line of the user's heading, in
// the air and on the ground alike.
bool lf_conflictsWithUserInAir(const UserAcData& user, const ReportBlock& front) {
    const GeoPosition userPosition = gf_userPosition(user);
    const double distanceNm = gf_greatCircleDistanceNm(userPosition, gf_blockPosition(front));
    const double lateralFt =
        distanceNm * std::fabs(std::sin(user.headingRad - gf_initialBearingRad(userPosition, gf_blockPosition(front)))) *
        kFeetPerNm;
    if (front.airborne) {
        return distanceNm <= kAirConflictRangeNm && std::fabs(front.altFt - user.altitudeFt) < kAirConflictAltitudeFt &&
               lateralFt <= kAirConflictOffsetFt;
    }
    return distanceNm <= kLandingConflictRangeNm && user.altAboveGroundFt < kLandingUserHeightFt &&
           lateralFt <= kLandingConflictOffsetFt;
}

// The unmoved marks of the first blocks: a newcomer standing still at its
// second report stands still from the first.
void lf_settleUnmovedMarks(std::deque<ReportBlock>& reports) {
    if (!reports[1].unmoved) {
        reports[0].unmoved = false;
        return;
    }
    reports[0].unmoved = true;
    reports[0].groundSpeedKt = 0.0;
    reports[1].groundSpeedKt = 0.0;
    if (reports.size() > 2 && reports[2].unmoved) {
        reports[2].groundSpeedKt = 0.0;
    }
}

// A livery kept for the id, else the matching ladder's; false (the aircraft
// dropped and remembered) when none fits.
bool lf_dressAircraft(LiveAc& aircraft) {
    AcIdentity& identity = aircraft.identity;
    if (!identity.liveryTitle.empty()) {
        return true;
    }
    identity.liveryTitle = gf_takeKeptLivery(identity.aircraftId);
    if (!identity.liveryTitle.empty()) {
        return true;
    }
    gf_matchLiveLivery(aircraft);
    if (identity.liveryTitle.empty()) {
        if (!identity.strings.registration.empty()) {
            unmatchedAircraft.insert(gf_describeAcWithRegistration(identity.strings));
        }
        aircraft.eraseBuffered = true;
        return false;
    }
    keptLiveries[identity.aircraftId] = identity.liveryTitle;
    return true;
}

void lf_parkOnStand(LiveAc& aircraft, const ParkPosition& stand) {
    aircraft.standLatDeg = stand.latDeg;
    aircraft.standLonDeg = stand.lonDeg;
    aircraft.standHeadingRad = stand.headingRad;
    aircraft.standId = stand.standId;
    aircraft.cargoStand = stand.cargo;
    gf_setGroundPhase(aircraft, GroundPhase::Parked);
    aircraft.parkedSince = gf_systemTicksNow();
    aircraft.lastStandDistanceNm = 0.0;
    aircraft.standMoveCount = 0;
    lf_learnCargoAttribute(aircraft);
    aircraft.reports.resize(1);
    ReportBlock& front = aircraft.reports.front();
    front.latDeg = stand.latDeg;
    front.lonDeg = stand.lonDeg;
    front.trackDeg = stand.headingRad / kRadiansPerDegree;
    const std::uint64_t weekSlot = currentWeekSlot.load();
    if (lt_addStandOption(stand.standId, aircraft, weekSlot, false)) {
        gf_setStandOptionSlot(aircraft.identity.aircraftId, gf_halfHourOf(weekSlot));
    }
    checkMaxPark(1);
}

// The first ground phase of a new-born aircraft: flying, parked on the stand
// it stands on, or taxiing.
void lf_chooseFirstPhase(LiveAc& aircraft) {
    if (aircraft.reports.front().airborne) {
        gf_setGroundPhase(aircraft, GroundPhase::Flying);
        return;
    }
    if (const std::optional<ParkPosition> stand = gf_findStandForGroundSpawn(aircraft)) {
        lf_parkOnStand(aircraft, *stand);
        return;
    }
    if (!aircraft.eraseBuffered) {
        gf_setGroundPhase(aircraft, GroundPhase::Taxi);
    }
}

double lf_firstPitchRad(const ReportBlock& front) {
    if (!front.airborne) {
        return kGroundPitchRad;
    }
    double verticalSpeedFpm = std::min(front.verticalSpeedFpm, kMaxClimbFpm);
    if (verticalSpeedFpm < 0.0) {
        verticalSpeedFpm = std::max(verticalSpeedFpm, kMaxDescentFpm) / 2.0;
    }
    return kAirBasePitchRad - verticalSpeedFpm / 600.0 * kPitchDegPer600Fpm * kRadiansPerDegree;
}

double lf_firstHeadingRad(const LiveAc& aircraft) {
    if (aircraft.respawnHeadingRad) {
        return *aircraft.respawnHeadingRad;
    }
    if (aircraft.groundPhase == GroundPhase::Parked) {
        return aircraft.standHeadingRad;
    }
    const ReportBlock& front = aircraft.reports[0];
    const ReportBlock& second = aircraft.reports[1];
    if (second.unmoved) {
        return front.trackDeg * kRadiansPerDegree;
    }
    return gf_initialBearingRad(gf_blockPosition(front), gf_blockPosition(second));
}

double lf_reduceHeadingRad(double headingRad) {
    constexpr double kFullCircle = 2.0 * std::numbers::pi;
    const double reduced = std::fmod(headingRad, kFullCircle);
    return reduced < 0.0 ? reduced + kFullCircle : reduced;
}

void lf_setFirstPosition(LiveAc& aircraft) {
    const ReportBlock& front = aircraft.reports.front();
    PositionBlock& position = aircraft.position;
    position.latitudeDeg = front.latDeg;
    position.longitudeDeg = front.lonDeg;
    position.pitchRad = lf_firstPitchRad(front);
    position.bankRad = front.bankRad.value_or(0.0);
    position.altitudeFt = front.altFt;
    position.verticalSpeedFps = front.verticalSpeedFpm / kSecondsPerMinute;
    position.trueAirspeedKt = front.trueAirspeedKt;
    position.headingRad = lf_reduceHeadingRad(lf_firstHeadingRad(aircraft));
    aircraft.headingStepRad = front.airborne ? 0.0 : position.headingRad;
}

}  // namespace

void handleBufferedLiveAc(LiveAc& aircraft) {
    if (aircraft.reports.empty()) {
        aircraft.eraseBuffered = true;
        return;
    }
    const ReportBlock& front = aircraft.reports.front();
    const bool movingOnGround = !front.airborne && (front.groundSpeedKt != 0.0 || std::isnan(front.groundSpeedKt));
    const std::int64_t leadTicks = movingOnGround ? kMovingOnGroundLeadTicks : kLeadTicks;
    if (tickCounter.load() < std::int64_t{front.playbackTick} - leadTicks) {
        return;
    }
    if (aircraft.reports.size() == 1 || lf_isGhost(aircraft.identity.strings.callsign)) {
        aircraft.eraseBuffered = true;
        return;
    }
    if (lf_mixesAirAndGround(aircraft)) {
        lf_dropOldestReport(aircraft);
        return;
    }
    if (checkSpawnConflicts(aircraft)) {
        return;
    }
    if (liveCreateQueue.size() >= kCreateQueueBacklog && aircraft.groundPhase == GroundPhase::Birth) {
        lf_dropOldestReport(aircraft);
        return;
    }
    const std::int32_t maxLive = MAX_LIVE_SEL.value;
    if (maxLive == 0) {
        aircraft.eraseBuffered = true;
        return;
    }
    if (lf_countLiveAircraftInSim() >= static_cast<std::size_t>(std::max(maxLive, 0)) &&
        gf_removeFarthestAircraft(gf_greatCircleDistanceNm(gf_userPosition(runUserAcData),
                                                           gf_blockPosition(aircraft.reports.front())))) {
        aircraft.eraseBuffered = true;
        return;
    }
    LiveAcStrings& strings = aircraft.identity.strings;
    if (!BLOCK_CALLSIGN.value.empty() && BLOCK_CALLSIGN.value == strings.callsign) {
        aircraft.eraseBuffered = true;
        return;
    }
    lf_applyRegistrationRecord(aircraft);
    if (strings.airline.empty() && !gf_airlineFromCallsign(strings)) {
        strings.airline = kPrivateAirline;
    }
    if (gf_isUsableCallsign(strings) && !unmatchedAircraft.contains(gf_describeAcWithRegistration(strings)) &&
        !(gf_hasGhostSuffix(strings.callsign) && gf_callsignLiveWithoutSuffix(strings.callsign))) {
        spawnLiveAc(aircraft);
        return;
    }
    aircraft.eraseBuffered = true;
}

bool checkSpawnConflicts(LiveAc& aircraft) {
    const ReportBlock& front = aircraft.reports.front();
    bool hold = false;
    if (userOnGround) {
        hold = lf_isHeldByUserOnGround(aircraft, runUserAcData, front);
    } else if (COLLISION_USER_AIR.value) {
        if (lf_conflictsWithUserInAir(runUserAcData, front)) {
            aircraft.heldForUser = true;
        }
        hold = aircraft.heldForUser;
    }
    if (hold) {
        lf_dropOldestReport(aircraft);
    }
    return hold;
}

void spawnLiveAc(LiveAc& aircraft) {
    if (aircraft.reports.size() < 2) {
        gf_writeLog(fmtlib::format("{} sz:{}", "spawnLiveAc", aircraft.reports.size()));
        return;
    }
    lf_settleUnmovedMarks(aircraft.reports);
    // The type may have changed since the identity was built (the
    // registration's record, an identity change): size and category follow
    // it, and so do the category switches.
    gf_rederiveFromType(aircraft.identity);
    if (!gf_isCategorySwitchedOn(aircraft.identity.category)) {
        aircraft.eraseBuffered = true;
        return;
    }
    if (aircraft.groundPhase == GroundPhase::Birth) {
        if (!lf_dressAircraft(aircraft)) {
            return;
        }
        lf_chooseFirstPhase(aircraft);
    }
    if (aircraft.eraseBuffered) {
        return;
    }
    coupledCheckQueue.push_back(aircraft.identity.aircraftId);
    lf_setFirstPosition(aircraft);
    aircraft.heldForUser = false;
    gf_setSimState(aircraft, SimState::Adding2Sim);
    creationList.push_back(aircraft.identity.aircraftId);
    if (!gf_hasGhostSuffix(aircraft.identity.strings.callsign)) {
        checkGhost(aircraft.identity.strings.callsign);
    }
}
