#include "traffic/intake/report_intake.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "traffic/aircraft_labels.h"
#include "traffic/category_switches.h"
#include "traffic/identity_checks.h"
#include "traffic/intake/identity_changes.h"
#include "traffic/intake/known_reports.h"
#include "traffic/lifecycle/ghost_callsigns_index.h"
#include "traffic/lifecycle/ghost_removal.h"
#include "traffic/removal.h"
#include "traffic/traffic_state.h"

namespace {

// A report this soon after the last one taken adds nothing.
constexpr double kMinReportIntervalS = 1.0;
// Speed jumps that cannot be real: from above 5 kt to ten times as fast or
// slow, or between 5 kt or less and 80 kt or more.
constexpr double kSlowKt = 5.0;
constexpr double kFastKt = 80.0;
constexpr double kJumpFactor = 10.0;
// Steady reports are taken only as often as they show a real move: in the
// air above 120 kt on a track within 1 degree, once 450 m were flown; on the
// ground at 30 kt or less on a track within 2 degrees, once 20 m were
// covered, but at least every 15 s.
constexpr double kSteadyAirMinKt = 120.0;
constexpr double kSteadyAirTrackDeg = 1.0;
constexpr double kSteadyAirMoveNm = 0.2429805615550756;  // 450 m
constexpr double kSteadyGroundMaxKt = 30.0;
constexpr double kSteadyGroundTrackDeg = 2.0;
constexpr double kSteadyGroundMoveNm = 0.010799136069114472;  // 20 m
constexpr double kSteadyGroundMaxWaitS = 15.0;
constexpr double kSecondsPerHour = 3600.0;
// Below 10000 ft, a report within 120 ft of the park airport's elevation
// stands at the park airport, where static parking fills the stands; without
// a park airport the elevation is one no report has.
constexpr double kGroundFilterCeilingFt = 10000.0;
constexpr double kGroundFilterBandFt = 120.0;
constexpr double kNoParkAirportElevationFt = -1000.0;

// The angle between two tracks, 0 to 180 degrees.
double lf_trackDifferenceDeg(double firstDeg, double secondDeg) {
    const double difference = std::fmod(std::fabs(firstDeg - secondDeg), 360.0);
    return difference > 180.0 ? 360.0 - difference : difference;
}

bool lf_isSpeedJump(double newKt, double previousKt) {
    return (previousKt > kSlowKt && newKt >= kJumpFactor * previousKt) ||
           (newKt > kSlowKt && previousKt >= kJumpFactor * newKt) || (previousKt <= kSlowKt && newKt >= kFastKt) ||
           (newKt <= kSlowKt && previousKt >= kFastKt);
}

// The report repeats a steady move too soon after the last report taken.
bool lf_isTooSoonForSteadyMove(const LiveAcUpdate& report, const ReportBlock& newest, double elapsedS) {
    const double speedKt = report.block.groundSpeedKt;
    const double trackDifferenceDeg = lf_trackDifferenceDeg(report.block.trackDeg, newest.trackDeg);
    if (report.block.airborne) {
        return speedKt > kSteadyAirMinKt && trackDifferenceDeg <= kSteadyAirTrackDeg &&
               elapsedS <= kSteadyAirMoveNm / (speedKt / kSecondsPerHour);
    }
    if (speedKt > kSteadyGroundMaxKt || trackDifferenceDeg > kSteadyGroundTrackDeg) {
        return false;
    }
    const double waitS = speedKt == 0.0 ? kSteadyGroundMaxWaitS
                                        : std::min(kSteadyGroundMoveNm / (speedKt / kSecondsPerHour), kSteadyGroundMaxWaitS);
    return elapsedS <= waitS;
}

// A speed that jumps from the newest block's cannot be real, unless it
// agrees with the report heard last: after a gap in the reports (a take-off
// roll after a stop) the first report at the new speed is refused, and the
// next ones, which agree with it, are taken.
bool lf_isImpossibleSpeed(LiveAc& aircraft, const ReportBlock& newest, double speedKt) {
    const bool jump =
        lf_isSpeedJump(speedKt, newest.groundSpeedKt) && lf_isSpeedJump(speedKt, aircraft.lastHeardSpeedKt);
    aircraft.lastHeardSpeedKt = speedKt;
    return jump;
}

// The report adds nothing to, or cannot follow, the aircraft's newest report.
bool lf_isRedundantOrImpossible(LiveAc& aircraft, const LiveAcUpdate& report) {
    const ReportBlock& newest = aircraft.reports.back();
    const double elapsedS = report.feedTimestampS - aircraft.lastReportTimeS;
    if (elapsedS <= kMinReportIntervalS) {
        return true;
    }
    if (lf_isImpossibleSpeed(aircraft, newest, report.block.groundSpeedKt)) {
        return true;
    }
    return aircraft.extensionCount < 1 && lf_isTooSoonForSteadyMove(report, newest, elapsedS);
}

// An aircraft reported standing at the park airport.
bool lf_standsAtParkAirport(double altitudeFt) {
    if (altitudeFt <= 0.0 || altitudeFt >= kGroundFilterCeilingFt) {
        return false;
    }
    const AirportRecord airport = parkAirport.load();
    const double elevationFt = airport.code.empty() ? kNoParkAirportElevationFt : airport.alt;
    return std::fabs(altitudeFt - elevationFt) <= kGroundFilterBandFt;
}

void lf_acceptKnownReport(LiveAc& aircraft, LiveAcUpdate& report) {
    if (aircraft.simState == SimState::LiveryRespawn || aircraft.simState == SimState::RemovingFromSim) {
        return;
    }
    if (!aircraft.reports.empty() && lf_isRedundantOrImpossible(aircraft, report)) {
        return;
    }
    if (aircraft.simState == SimState::Buffer && lf_standsAtParkAirport(report.block.altFt)) {
        return;
    }
    if (!checkIdentityChange(aircraft, report)) {
        return;
    }
    aircraft.lastReportTimeS = report.feedTimestampS;
    decodeExisting(aircraft, report.block);
}

// The callsign changed: true to take the new one, false to drop the report.
bool lf_takeNewCallsign(LiveAc& aircraft, const std::string& callsign) {
    if (gf_hasGhostSuffix(callsign)) {
        if (gf_callsignLiveWithoutSuffix(callsign)) {
            return false;
        }
    } else {
        checkGhost(callsign);
    }
    gf_setLiveCallsign(aircraft, callsign);
    LiveAcStrings& own = aircraft.identity.strings;
    own.firstCallsign = callsign;
    own.coupledCallsign.clear();
    return true;
}

// The identity changed: respawn with another livery when the settings ask
// for it.
bool lf_onIdentityChanged(LiveAc& aircraft) {
    if (!GUID_CHANGES.value) {
        return true;
    }
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("          {} respawns", gf_describeAcRoute(aircraft.identity.strings)));
    }
    liveryRespawn(aircraft);
    return false;
}

}  // namespace

void acceptReport(LiveAcUpdate& report) {
    if (LiveAc* known = gf_findLiveAircraft(report.aircraftId)) {
        lf_acceptKnownReport(*known, report);
        return;
    }
    const LiveAcStrings& strings = report.strings;
    const bool duplicate =
        !strings.callsign.empty() && std::any_of(liveAircraft.begin(), liveAircraft.end(), [&](const LiveAc& aircraft) {
            return aircraft.identity.strings.callsign == strings.callsign && aircraft.identity.strings.type == strings.type;
        });
    if (!duplicate) {
        admitNewReport(report);
    }
}

void admitNewReport(LiveAcUpdate& report) {
    LiveAcStrings& strings = report.strings;
    const std::optional<RegcodeRecord> record =
        strings.registration.empty() ? std::nullopt : gf_lookupRegcode(strings.registration);
    if (strings.type.empty() && record) {
        strings.type = record->type;
    }
    if (gf_isKnownAircraftType(strings.type)) {
        createLiveAc(report);
        return;
    }
    if (record && !record->type.empty()) {
        strings.type = record->type;
        createLiveAc(report);
    }
}

void createLiveAc(LiveAcUpdate& report) {
    LiveAcStrings& strings = report.strings;
    if (!gf_isCategorySwitchedOn(gf_getAircraftCategory(strings.type)) || lf_standsAtParkAirport(report.block.altFt)) {
        return;
    }
    strings.firstCallsign = strings.callsign;
    strings.coupledCallsign.clear();
    strings.firstCycleDone = 0;
    AcIdentity identity = buildAcIdentity(strings);
    identity.aircraftId = report.aircraftId;
    identity.turnRateRad = identity.taxiTurnRateRad;
    identity.maxAltStepFt = gf_maxAltStepFt(identity.category);
    identity.standTaxiSpeedKt = gf_standTaxiSpeedKt(identity.category);
    liveAircraft.emplace_back(report.block, std::move(identity), report.feedTimestampS);
}

bool checkIdentityChange(LiveAc& aircraft, LiveAcUpdate& report) {
    if (aircraft.landing || aircraft.departing) {
        return true;
    }
    if (aircraft.simState == SimState::Buffer) {
        gf_adoptIdentity(aircraft, report);
        return true;
    }
    if (aircraft.simState != SimState::Active || aircraft.groundPhase == GroundPhase::PushingBack ||
        aircraft.extensionCount >= 1) {
        return true;
    }
    const bool unchanged = gf_checkRoute(aircraft, report) && gf_checkRegistration(aircraft, report) == 1;
    const LiveAcStrings& own = aircraft.identity.strings;
    const std::string& callsign = report.strings.callsign;
    if (callsign.empty() || callsign == own.callsign || callsign == own.registration) {
        return unchanged || lf_onIdentityChanged(aircraft);
    }
    if (!lf_takeNewCallsign(aircraft, callsign)) {
        return false;
    }
    return lf_onIdentityChanged(aircraft);
}
