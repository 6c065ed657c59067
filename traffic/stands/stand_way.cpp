#include "traffic/stands/stand_way.h"

#include <algorithm>
#include <cmath>

#include "airports/airports_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "traffic/removal.h"
#include "traffic/stands/ground_spawn_stand.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"
#include "traffic/traffic_state.h"

namespace {

constexpr double kNarrowSearchNm = 0.010799136069114472;  // 20 m
constexpr double kWideSearchNm = 0.029697624190064796;    // 55 m
// The drive onto a stand takes at least a second; the aircraft stops half a
// second after it arrives.
constexpr std::int32_t kShortestDriveTicks = 100;
constexpr std::int32_t kStopAfterTicks = 50;

LiveAc* lf_liveAircraftOnStand(std::uint32_t standId) {
    const auto found = std::find_if(liveAircraft.begin(), liveAircraft.end(),
                                    [&](const LiveAc& aircraft) { return aircraft.standId == standId; });
    return found == liveAircraft.end() ? nullptr : &*found;
}

void lf_logPlain(const std::string& line) {
    if (LOG.value) {
        gf_writeLogPlain(line);
    }
}

std::string lf_withoutLastCharacter(const std::string& text) {
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

// The live aircraft parked on the stand gives it up to the one that wants to
// park there.
void lf_clearStand(const ParkPosition& stand, const LiveAc& parking) {
    const auto holder = std::find_if(liveAircraft.begin(), liveAircraft.end(), [&](const LiveAc& aircraft) {
        return aircraft.standId == stand.standId && aircraft.groundPhase == GroundPhase::Parked &&
               aircraft.simState == SimState::Active;
    });
    if (holder == liveAircraft.end()) {
        return;
    }
    lf_logPlain(fmtlib::format("{:8}: {:8} removed, {} wants to park there", stand.name,
                               holder->identity.strings.callsign, parking.identity.strings.callsign));
    removeAircraftFromSim(*holder);
}

}  // namespace

void try2Park(LiveAc& aircraft, bool wide) {
    if (aircraft.reports.empty()) {
        gf_writeLog(fmtlib::format("{} empty sz?", "try2Park"));
        return;
    }
    const GeoPosition newest = gf_blockPosition(aircraft.reports.back());
    if (gf_isWithinDeg(newest, {aircraft.lastParkTryLatDeg, aircraft.lastParkTryLonDeg}, kSamePositionDeg)) {
        return;  // this place was tried already
    }
    aircraft.lastParkTryLatDeg = newest.latDeg;
    aircraft.lastParkTryLonDeg = newest.lonDeg;
    const auto found = gf_findStandNearPoint(newest, aircraft, wide ? kWideSearchNm : kNarrowSearchNm, wide);
    if (found == parkPositions.end() || gf_isUserStand(*found)) {
        return;
    }
    const ParkPosition stand = *found;
    lf_clearStand(stand, aircraft);
    for (const std::uint32_t adjacentId : stand.neighbourIds) {
        removeAtAdjacentStand(adjacentId, aircraft, stand);
    }
    makeWayForParking(aircraft, stand);
    aircraft.standLatDeg = stand.latDeg;
    aircraft.standLonDeg = stand.lonDeg;
    aircraft.standHeadingRad = stand.headingRad;
    aircraft.standId = stand.standId;
    aircraft.cargoStand = stand.cargo;
    aircraft.reports.resize(1);
    gf_setGroundPhase(aircraft, GroundPhase::Parking);
    drive2Stand(aircraft, gf_standPosition(stand), stand.headingRad);
}

void drive2Stand(LiveAc& aircraft, const GeoPosition& stand, double standHeadingRad) {
    if (aircraft.reports.empty()) {
        gf_writeLog(fmtlib::format("{} empty sz?", "drive2Stand"));
        return;
    }
    const double speedKt = aircraft.identity.standTaxiSpeedKt;
    ReportBlock& newest = aircraft.reports.back();
    const std::int32_t driveTicks =
        std::max(gf_ticksForDistance(gf_greatCircleDistanceNm(gf_blockPosition(newest), stand), speedKt),
                 kShortestDriveTicks);
    const ReportBlock& front = aircraft.reports.front();
    ReportBlock onStand;
    onStand.latDeg = stand.latDeg;
    onStand.lonDeg = stand.lonDeg;
    onStand.altFt = aircraft.position.altitudeFt;
    onStand.groundSpeedKt = speedKt;
    onStand.trackDeg = standHeadingRad * kDegreesPerRadian;
    onStand.trueAirspeedKt = speedKt;
    onStand.playbackTick = gf_wholeTicks(static_cast<double>(std::int64_t{front.playbackTick} + driveTicks));
    onStand.unmoved = gf_isWithinDeg(gf_blockPosition(newest), stand, kSamePositionDeg);
    onStand.headingKnown = front.headingKnown;
    onStand.bankRad = aircraft.position.bankRad;
    ReportBlock stopped = onStand;
    stopped.groundSpeedKt = 0.0;
    stopped.trueAirspeedKt = 0.0;
    stopped.unmoved = true;
    stopped.playbackTick =
        gf_wholeTicks(static_cast<double>(std::int64_t{front.playbackTick} + kStopAfterTicks + driveTicks));
    newest.groundSpeedKt = speedKt;
    aircraft.reports.push_back(onStand);
    aircraft.reports.push_back(stopped);
    aircraft.targetHeadingRad = standHeadingRad;
    if (aircraft.extensionCount > 0) {
        aircraft.extensionCount = 0;
        gf_resetLagWindow(aircraft);
    }
}

void removeAtAdjacentStand(std::uint32_t adjacentStandId, const LiveAc& parking, const ParkPosition& stand) {
    LiveAc* holder = lf_liveAircraftOnStand(adjacentStandId);
    if (holder == nullptr || holder->simState != SimState::Active ||
        (holder->groundPhase != GroundPhase::Parked && holder->groundPhase != GroundPhase::PushingBack) ||
        !gf_neighbourWouldTouch(*holder, adjacentStandId, stand, parking.identity.strings.type)) {
        return;
    }
    lf_logPlain(fmtlib::format("{:8}: {:8} removed by parking {} at adjacent and possibly colliding stand {}",
                               gf_standName(adjacentStandId), holder->identity.strings.callsign,
                               parking.identity.strings.callsign, stand.name));
    removeAircraftFromSim(*holder);
}

bool isStandFreeFor(std::uint32_t standId, const std::string& callsign) {
    LiveAc* holder = lf_liveAircraftOnStand(standId);
    if (holder == nullptr || holder->simState != SimState::Active ||
        (holder->groundPhase != GroundPhase::Parked && holder->groundPhase != GroundPhase::PushingBack &&
         holder->groundPhase != GroundPhase::PushedBack)) {
        return true;
    }
    const std::string& held = holder->identity.strings.callsign;
    const std::string standName = gf_standName(standId);
    const auto giveWay = [&](const std::string& line) {
        lf_logPlain(line);
        removeAircraftFromSim(*holder);
        return true;
    };
    if (held == callsign) {
        return giveWay(fmtlib::format("{:8}: {:8} ac with same callsign {} wants it, remove existing ... ", standName,
                                      held, callsign));
    }
    if (!callsign.empty() && lf_withoutLastCharacter(callsign) == held) {
        return false;
    }
    if ((!held.empty() && lf_withoutLastCharacter(held) == callsign) ||
        (held.ends_with('_') && !callsign.ends_with('_'))) {
        return giveWay(fmtlib::format("{:8}: {:8} ghost, replace by {}", standName, held, callsign));
    }
    if (callsign.ends_with('_') && !held.ends_with('_')) {
        return false;
    }
    if (holder->standConfirmed) {
        return false;
    }
    return giveWay(
        fmtlib::format("{:8}: {:8} removed because another live {} wants the stand ...", standName, held, callsign));
}
