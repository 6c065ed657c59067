#include "traffic/stands/stand_leaving.h"

#include <array>
#include <cmath>
#include <deque>
#include <numbers>

#include "core/format.h"
#include "core/great_circle.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/units.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_commands.h"
#include "traffic/curves.h"
#include "traffic/removal.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/parked_time.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/stands/stand_options.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"

namespace {

constexpr double kNearStandNm = 0.0458963282937365;  // 85 m
constexpr double kFarFromStandNm = 0.10799136069114472;  // 200 m
constexpr double kSteadyMoveNm = 0.0016198704103671706;  // 3 m
constexpr std::uint32_t kSteadyMoveReports = 3;
// The hold block of a parked aircraft whose reports stopped is due a week
// (604800 s) after it was made.
constexpr std::int64_t kParkedHoldTicks = 60480000;
// An aircraft that leaves sooner after a wide stand search was towed there.
constexpr std::int64_t kTowedHeavyTicks = 360000;
constexpr std::int64_t kTowedLargeTicks = 150000;
constexpr std::int64_t kTowedBuzjetsTicks = 90000;
// The pushback runs 2.5 stand radii straight back; the curve of its turn.
constexpr double kPushbackRadii = 2.5;
constexpr double kPushbackTurnDeg = 90.0;
constexpr double kPushedBackHoldNm = 900.0;
// NAV, BEACON, LANDING, TAXI, STROBES, LOGO, CABIN.
constexpr std::array<std::uint32_t, 7> kLeavingLights = {1, 1, 0, 1, 0, 1, 0};

std::int64_t lf_now() { return tickCounter.load(); }

bool lf_wasTowed(const LiveAc& aircraft, std::int64_t stoodTicks) {
    switch (aircraft.identity.category) {
        case AircraftCategory::Heavy: return stoodTicks < kTowedHeavyTicks;
        case AircraftCategory::Large: return stoodTicks < kTowedLargeTicks;
        case AircraftCategory::Buzjets: return stoodTicks < kTowedBuzjetsTicks;
        default: return false;
    }
}

// A report within reach of the stand counts only when the reports move
// steadily away from it: three moves of 3 m or more in a row and half a
// half span beyond the first distance, or more than a half span beyond it.
bool lf_movesAway(LiveAc& aircraft, double distanceNm) {
    if (aircraft.lastStandDistanceNm == 0.0) {
        aircraft.firstStandDistanceNm = distanceNm;
        aircraft.lastStandDistanceNm = distanceNm;
        aircraft.standMoveCount = 0;
        return false;
    }
    if (distanceNm >= aircraft.lastStandDistanceNm + kSteadyMoveNm) {
        ++aircraft.standMoveCount;
        aircraft.lastStandDistanceNm = distanceNm;
        const double beyondFirstNm = distanceNm - aircraft.firstStandDistanceNm;
        const double halfSpanNm = aircraft.identity.halfSpanNm;
        return (aircraft.standMoveCount >= kSteadyMoveReports && beyondFirstNm >= halfSpanNm / 2.0) ||
               beyondFirstNm > halfSpanNm;
    }
    if (distanceNm <= aircraft.lastStandDistanceNm - kSteadyMoveNm) {
        aircraft.standMoveCount = 0;
    }
    return false;
}

// One block of a way off the stand: the position at the speed, due in the
// ticks from now; every other value 0.
ReportBlock lf_wayBlock(const GeoPosition& position, double speedKt, std::int64_t tick) {
    ReportBlock block;
    block.latDeg = position.latDeg;
    block.lonDeg = position.lonDeg;
    block.groundSpeedKt = speedKt;
    block.playbackTick = gf_wholeTicks(static_cast<double>(tick));
    return block;
}

void lf_startEnginesForTaxi(LiveAc& aircraft) {
    gf_queueEvent({aircraft.objectId, SimEventId::EngineAutoStart, 0});
    gf_setThrottle(aircraft, kThrottleIdle);
    gf_setFlaps(aircraft, kFlapsTakeOff);
}

}  // namespace

bool checkStandDeparture(LiveAc& aircraft, ReportBlock& report) {
    aircraft.standConfirmed = true;
    const double distanceNm =
        gf_greatCircleDistanceNm({aircraft.standLatDeg, aircraft.standLonDeg}, gf_blockPosition(report));
    const double nearNm = aircraft.previousGroundPhase == GroundPhase::Parking ? 2.0 * kNearStandNm : kNearStandNm;
    if (distanceNm <= nearNm) {
        aircraft.parkedSince = gf_systemTicksNow();
        if (!lf_movesAway(aircraft, distanceNm)) {
            aircraft.leavingStand = false;
            return false;
        }
    } else if (aircraft.groundPhase == GroundPhase::Parking) {
        // The aircraft gives up the approach to its stand.
        gf_setGroundPhase(aircraft, GroundPhase::Taxi);
        report.unmoved = false;
        return true;
    } else if (distanceNm > kFarFromStandNm) {
        removeAircraftFromSim(aircraft);
        return false;
    }
    report.unmoved = false;
    aircraft.leavingStand = true;
    if (aircraft.previousGroundPhase != GroundPhase::Parked) {
        onStandLeft(aircraft);
        gf_setGroundPhase(aircraft, GroundPhase::Parked);
    }
    return true;
}

void onStandLeft(LiveAc& aircraft) {
    if (aircraft.extensionCount > 0) {
        ReportBlock& front = aircraft.reports.front();
        if (aircraft.groundPhase == GroundPhase::Parked && aircraft.wideStandSearch) {
            const std::int64_t stoodTicks = lf_now() - front.playbackTick + kParkedHoldTicks;
            aircraft.towed = lf_wasTowed(aircraft, stoodTicks);
            aircraft.wideStandSearch = false;
        }
        if (aircraft.groundPhase == GroundPhase::Parked) {
            front.playbackTick = gf_wholeTicks(static_cast<double>(lf_now() + 1));
        }
        aircraft.extensionCount = 0;
        gf_resetLagWindow(aircraft);
    }
    if (!aircraft.identity.strings.airline.empty() && aircraft.identity.cargo == aircraft.cargoStand) {
        const std::uint64_t timeOfWeek = currentWeekSlot.load();
        if (lt_addStandOption(aircraft.standId, aircraft, timeOfWeek, true)) {
            gf_setStandOptionSlot(aircraft.identity.aircraftId, gf_halfHourOf(timeOfWeek));
        }
    }
    if (ParkPosition* stand = gf_findStandById(aircraft.standId)) {
        stand->liveOccupied = false;
    }
}

void startPushback(LiveAc& aircraft) {
    const ParkPosition* stand = gf_findStandById(aircraft.standId);
    if (stand == nullptr) {
        return;
    }
    const double backRad = std::fmod(aircraft.standHeadingRad + std::numbers::pi, 2.0 * std::numbers::pi);
    const double speedKt = aircraft.identity.standTaxiSpeedKt;
    const double halfSpanFt = aircraft.identity.halfSpanNm * kFeetPerNm;
    aircraft.extensionCount = 0;
    aircraft.targetHeadingRad = aircraft.position.headingRad;

    const GeoPosition position = gf_aircraftPosition(aircraft);
    const GeoPosition behind = gf_destinationPoint(position, backRad, kPushbackRadii * stand->radiusNm * kFeetPerNm);
    const std::int32_t straightTicks = gf_ticksForDistance(gf_greatCircleDistanceNm(position, behind), speedKt);
    std::deque<ReportBlock>& reports = aircraft.reports;
    reports.front().groundSpeedKt = speedKt;
    reports.resize(1);
    reports.push_back(lf_wayBlock(behind, speedKt, lf_now() + straightTicks));
    insertMidPoint(aircraft);

    const GeoPosition left = gf_destinationPoint(behind, backRad + std::numbers::pi / 2.0, halfSpanFt);
    const GeoPosition right = gf_destinationPoint(behind, backRad - std::numbers::pi / 2.0, halfSpanFt);
    const std::int32_t turnTicks =
        gf_ticksForDistance(gf_greatCircleDistanceNm(gf_blockPosition(reports[1]), left), speedKt);
    const ReportBlock turnEnd = lf_wayBlock(right, speedKt, lf_now() + straightTicks / 2 + turnTicks);
    aircraft.pushbackTurnPoint = turnEnd;
    aircraft.pushbackTurnPoint.latDeg = left.latDeg;
    aircraft.pushbackTurnPoint.lonDeg = left.lonDeg;
    reports.push_back(turnEnd);

    gf_queueLightEvents(aircraft.objectId, kLeavingLights);
    gf_setGroundPhase(aircraft, GroundPhase::PushingBack);
    aircraft.pushbackStage = 2;
}

void pushbackStep(LiveAc& aircraft) {
    --aircraft.pushbackStage;
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (aircraft.pushbackStage == 1) {
        if (!aircraft.pushbackHasTurn) {
            reports.pop_back();  // the pushback ends straight
        } else if (reports.size() >= 3) {
            if (aircraft.pushbackTurnRight) {
                reports.back() = aircraft.pushbackTurnPoint;
            }
            makeCurve(aircraft);
            aircraft.curve.turnDeg = kPushbackTurnDeg;
        }
        return;
    }
    if (aircraft.pushbackStage < 1) {
        aircraft.targetHeadingRad = aircraft.position.headingRad;
        lf_startEnginesForTaxi(aircraft);
        gf_setGroundPhase(aircraft, GroundPhase::PushedBack);
        aircraft.pushbackStage = 1;
        aircraft.pushbackHoldDistanceNm = kPushedBackHoldNm;
        aircraft.extensionCount = 0;
        aircraft.leavingStand = false;
    }
}

void pullOutOfStand(LiveAc& aircraft) {
    aircraft.leavingStand = false;
    aircraft.extensionCount = 0;
    const double speedKt = aircraft.identity.standTaxiSpeedKt;
    const GeoPosition ahead = gf_destinationPoint({aircraft.standLatDeg, aircraft.standLonDeg},
                                                  aircraft.standHeadingRad,
                                                  2.0 * aircraft.identity.halfSpanNm * kFeetPerNm);
    const std::int32_t ticks =
        gf_ticksForDistance(gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), ahead), speedKt);
    std::deque<ReportBlock>& reports = aircraft.reports;
    reports.front().groundSpeedKt = speedKt;
    reports.resize(1);
    reports.push_back(lf_wayBlock(ahead, speedKt, lf_now() + ticks));
    gf_setGroundPhase(aircraft, GroundPhase::Taxi);
    aircraft.targetHeadingRad = aircraft.position.headingRad;
    gf_queueLightEvents(aircraft.objectId, kLeavingLights);
    lf_startEnginesForTaxi(aircraft);
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: {:8} pulling out", gf_standName(aircraft.standId),
                                        aircraft.identity.strings.callsign));
    }
}
