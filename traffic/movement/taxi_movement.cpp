#include "traffic/movement/taxi_movement.h"

#include <algorithm>
#include <cmath>

#include "airports/airports_state.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_commands.h"
#include "traffic/curves.h"
#include "traffic/movement/movement_internal.h"
#include "traffic/movement/position_update.h"
#include "traffic/movement/take_off_landing.h"
#include "traffic/stands/stand_leaving.h"
#include "traffic/stands/stand_way.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"

namespace {

// A sharp turn (more than 45 degrees) after a slow leg (43 kt or less)
// longer than 50 m and 600 ticks first gets a block halfway.
constexpr double kSharpTurnDeg = 45.0;
constexpr double kLongLegNm = 0.02699784017278618;  // 50 m
constexpr double kSlowLegKt = 43.0;
constexpr std::int64_t kLongLegTicks = 600;
// Turns from 3 up to 160 degrees are flown on a curve; a U-turn is not.
constexpr double kSmallestTurnDeg = 3.0;
constexpr double kLargestCurveDeg = 160.0;
// A parked aircraft whose reports leave within 90 degrees of the stand's
// heading pulls out; otherwise it pushes back.
constexpr double kPullOutWithinDeg = 90.0;
// A taxiing aircraft that stops looks for a stand within 35 m of its
// newest block at 5 kt or less.
constexpr double kParkSearchSlowKt = 5.0;
constexpr double kParkSearchNearNm = 0.018898488120950324;  // 35 m
// The turn timing: a turn of up to 45 degrees is spread over a leg at
// least 1.2 times its length; a turn of 90 degrees or more may lag the
// reports by 2000 ticks.
constexpr double kSpreadTurnRatio = 1.2;
constexpr double kSlowTurnPerDeg = 10.0;
constexpr double kSlowTurnPerMetre = 30.0;
constexpr double kTurnRateCapDeg = 90.0;
constexpr double kTurnRateCapPerDeg = 30.0;
constexpr double kWideTurnDeg = 90.0;
constexpr std::int32_t kWideTurnLagTicks = 2000;
// Throttle while departing, by the front (s0) and second block's (s1)
// ground speeds.
constexpr double kFullThrottleFromS0Kt = 25.0;
constexpr double kFullThrottleFromS1Kt = 30.0;
constexpr double kSecondThrottleFromS0Kt = 20.0;
constexpr double kSecondThrottleFromS1Kt = 25.0;
constexpr double kIdleBelowS0Kt = 15.0;
constexpr double kIdleBelowS1Kt = 20.0;
// The take-off: from 43 kt a departing aircraft looks at the blocks ahead;
// those climbing faster than 256 fpm are climbing.
constexpr double kLiftOffLookFromKt = 43.0;
constexpr double kClimbingBlockFpm = 256.0;
constexpr double kLowestLiftOffClimbFt = 0.1;
// After a touchdown: off the runway once turned 15 degrees; at 90 kt or
// less ready to take off again.
constexpr double kLeftRunwayTurnDeg = 15.0;
constexpr double kReadyAgainKt = 90.0;

bool lf_hasCurve(const LiveAc& aircraft) { return !std::isnan(aircraft.curve.controlEastM); }

double lf_legNm(const ReportBlock& from, const ReportBlock& to) {
    return gf_greatCircleDistanceNm(gf_blockPosition(from), gf_blockPosition(to));
}

// A parked aircraft whose reports moved away leaves its stand, forward
// when they lead off ahead of it.
void lf_leaveStand(LiveAc& aircraft) {
    gf_resetLagWindow(aircraft);
    if (!aircraft.leavingStand) {
        return;
    }
    const double bearingRad = gf_initialBearingRad({aircraft.standLatDeg, aircraft.standLonDeg},
                                                   gf_blockPosition(aircraft.reports.back()));
    const double offDeg = gf_foldAngleRad(bearingRad - aircraft.standHeadingRad) * kDegreesPerRadian;
    // Whole degrees, narrowed as the tick counts are.
    if (std::abs(gf_wholeTicks(std::round(offDeg))) < kPullOutWithinDeg) {
        pullOutOfStand(aircraft);
    } else {
        startPushback(aircraft);
    }
}

void lf_chooseWay(LiveAc& aircraft) {
    const std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports.size() >= 3 && !reports[2].unmoved) {
        const ReportBlock& front = reports[0];
        const ReportBlock& second = reports[1];
        const double turnDeg = std::fabs(lf_headingChangeAhead(aircraft)) * kDegreesPerRadian;
        const std::int64_t gapTicks =
            std::max(std::int64_t{second.playbackTick} - front.playbackTick, std::int64_t{kMinStepTicks});
        if (turnDeg > kSharpTurnDeg && lf_legNm(front, second) > kLongLegNm && front.groundSpeedKt <= kSlowLegKt &&
            gapTicks >= kLongLegTicks) {
            insertMidPoint(aircraft);
        } else if (turnDeg > kSmallestTurnDeg && turnDeg <= kLargestCurveDeg &&
                   !gf_isWithinDeg(gf_blockPosition(front), gf_blockPosition(reports[2]), kSamePositionDeg)) {
            makeCurve(aircraft);
            aircraft.curve.turnDeg = turnDeg;
        } else {
            checkSpeedChangeMidPoint(aircraft);
        }
    } else if (reports.size() >= 3 || aircraft.extensionCount < 1) {
        checkSpeedChangeMidPoint(aircraft);
    }
}

// Without a curve the heading turns toward the next block when it lies
// more than 3 degrees off. A pushback never does: its blocks lie behind the
// aircraft, which is pushed tail first and turns only along the curve of a
// recorded turn.
void lf_decideTurn(LiveAc& aircraft) {
    if (lf_hasCurve(aircraft) || aircraft.groundPhase == GroundPhase::PushingBack) {
        aircraft.turningToTarget = false;
        return;
    }
    aircraft.turnAngleDeg = gf_angleOffDeg(aircraft.targetHeadingRad, aircraft.position.headingRad);
    aircraft.turningToTarget = aircraft.turnAngleDeg > kSmallestTurnDeg;
}

bool lf_comesFromStand(const LiveAc& aircraft) {
    const GroundPhase previous = aircraft.previousGroundPhase;
    return previous == GroundPhase::Parked || previous == GroundPhase::PushingBack ||
           previous == GroundPhase::PushedBack;
}

// A taxiing aircraft that stops looks for a stand, unless it has just left
// one and waits for its reports to move on.
void lf_lookForStand(LiveAc& aircraft) {
    const std::deque<ReportBlock>& reports = aircraft.reports;
    if (!reports.back().unmoved || aircraft.groundPhase != GroundPhase::Taxi || !parkingActive.load() ||
        (!aircraft.towed && lf_comesFromStand(aircraft))) {
        return;
    }
    if (aircraft.extensionCount >= 1) {
        try2Park(aircraft, aircraft.wideStandSearch);
        return;
    }
    const double toNewestNm = gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), gf_blockPosition(reports.back()));
    if (reports[1].groundSpeedKt <= kParkSearchSlowKt && toNewestNm <= kParkSearchNearNm) {
        try2Park(aircraft, false);
    }
}

// The turn rate that fits the turn into the leg of ticks.
void lf_fitTurnRate(LiveAc& aircraft, double legNm, std::int32_t legTicks) {
    const double turnDeg = aircraft.turningToTarget ? aircraft.turnAngleDeg : aircraft.curve.turnDeg;
    double& turnRateRad = aircraft.identity.turnRateRad;
    // The ticks the turn takes at the taxi turn rate, angle and rate in one unit.
    const std::int32_t turnTicks = gf_wholeTicks(std::round(turnDeg * kRadiansPerDegree / turnRateRad));
    if (!(turnDeg > 0.0 && legNm > 0.0)) {
        return;
    }
    const double r = static_cast<double>(legTicks) / std::max(turnTicks, 1);
    if (turnDeg <= kSharpTurnDeg) {
        if (r >= kSpreadTurnRatio) {
            const double m = std::min({r, r * kSlowTurnPerDeg / turnDeg, r * kSlowTurnPerMetre / (legNm * kMetresPerNm)});
            if (m > 0.0) {
                turnRateRad /= m;
            }
        } else if (r > 0.0) {
            turnRateRad /= r;
        }
        return;
    }
    turnRateRad *= std::min(r, std::min(turnDeg, kTurnRateCapDeg) / kTurnRateCapPerDeg);
    if (turnDeg >= kWideTurnDeg) {
        aircraft.maxEarlyTicks = std::max(aircraft.maxEarlyTicks, kWideTurnLagTicks);
        aircraft.maxLateTicks = std::max(aircraft.maxLateTicks, kWideTurnLagTicks);
    }
}

void lf_setDepartingThrottle(LiveAc& aircraft) {
    const double s0 = aircraft.reports[0].groundSpeedKt;
    const double s1 = aircraft.reports[1].groundSpeedKt;
    std::uint32_t index = kThrottleLow;
    if (gf_isRotorcraft(aircraft.identity) || s0 >= kFullThrottleFromS0Kt || s1 >= kFullThrottleFromS1Kt) {
        index = kThrottleFull;
    } else if (s0 >= kSecondThrottleFromS0Kt || s1 >= kSecondThrottleFromS1Kt) {
        index = kThrottleHalf;
    } else if (s0 < kIdleBelowS0Kt && s1 < kIdleBelowS1Kt) {
        index = kThrottleIdle;
    }
    gf_setThrottle(aircraft, index);
}

// A departing aircraft rolling at 43 kt or more takes off when the blocks
// ahead say so: all of them climbing, or all fast enough and airborne.
void lf_checkLiftOff(LiveAc& aircraft, double ticks) {
    const std::deque<ReportBlock>& reports = aircraft.reports;
    if (!aircraft.departing || aircraft.groundPhase == GroundPhase::TakeOff ||
        reports[0].groundSpeedKt < kLiftOffLookFromKt) {
        return;
    }
    const auto ahead = reports.begin() + 1;
    const auto airborne = [](const ReportBlock& block) { return block.airborne; };
    const bool allClimbing = std::all_of(ahead, reports.end(), [](const ReportBlock& block) {
        return block.verticalSpeedFpm > kClimbingBlockFpm;
    });
    if (!allClimbing) {
        if (lf_allAtLiftOffSpeed(aircraft) && std::all_of(ahead, reports.end(), airborne)) {
            aircraft.altStepFt = aircraft.identity.maxAltStepFt;
            startTakeOff(aircraft);
        }
        return;
    }
    if (!std::all_of(ahead, reports.end(), airborne)) {
        aircraft.altStepFt = aircraft.identity.maxAltStepFt;
    } else {
        aircraft.altStepFt = std::max(reports[1].altFt - aircraft.position.altitudeFt, kLowestLiftOffClimbFt) / ticks;
    }
    startTakeOff(aircraft);
}

void lf_zeroSpoilersAndThrottles(const LiveAc& aircraft) {
    if (aircraft.identity.category != AircraftCategory::Light) {
        gf_setSpoilersThrottles(aircraft.objectId, false, false);
    }
}

}  // namespace

void nextPosGround(LiveAc& aircraft) {
    switch (aircraft.groundPhase) {
        case GroundPhase::PushingBack: pushbackStep(aircraft); break;
        case GroundPhase::Parked: lf_leaveStand(aircraft); break;
        default:
            if (!aircraft.reports[1].unmoved) {
                lf_chooseWay(aircraft);
            }
            break;
    }
    if (!aircraft.reports[1].unmoved) {
        lf_decideTurn(aircraft);
    }
    lf_lookForStand(aircraft);
    retimeGround(aircraft);
}

void retimeGround(LiveAc& aircraft) {
    const ReportBlock& front = aircraft.reports[0];
    const ReportBlock& second = aircraft.reports[1];
    if (!second.unmoved) {
        aircraft.identity.turnRateRad = aircraft.identity.taxiTurnRateRad;
        const double legNm = lf_legNm(front, second);
        const std::int32_t legTicks = std::max(gf_ticksForDistance(legNm, lf_streamSpeed(aircraft)), kMinStepTicks);
        if (lf_hasCurve(aircraft) || aircraft.turningToTarget) {
            lf_fitTurnRate(aircraft, legNm, legTicks);
        }
        clampPlaybackTick(aircraft, legTicks);
        return;
    }
    const std::int64_t now = tickCounter.load();
    const std::int64_t gap = std::max(std::int64_t{second.playbackTick} - front.playbackTick, std::int64_t{kMinStepTicks});
    const std::int64_t target = std::max(front.playbackTick + gap, now + kMinStepTicks);
    clampPlaybackTick(aircraft, gf_wholeTicks(static_cast<double>(target - now)));
}

void setGroundSpeed(LiveAc& aircraft) {
    if (aircraft.groundPhase == GroundPhase::Parked || aircraft.groundPhase == GroundPhase::Flying) {
        gf_setGroundPhase(aircraft, GroundPhase::Taxi);
    } else if (aircraft.departing) {
        lf_setDepartingThrottle(aircraft);
    } else if (!aircraft.takeOffPending) {
        gf_setFixedWingThrottle(aircraft, kThrottleIdle);
    } else {
        setFlapsForTurn(aircraft);
    }
    if (!aircraft.takeOffPending && !aircraft.departing) {
        gf_narrowLagWindow(aircraft);
    }
    if (aircraft.flareStage == 0 && aircraft.groundPhase != GroundPhase::TakeOff) {
        aircraft.position.pitchRad = aircraft.identity.staticPitchRad;
        aircraft.pitchStepRad = 0.0;
        aircraft.position.bankRad = 0.0;
        aircraft.bankStepRad = 0.0;
    }
    const double ticks = gf_ticksToSecondBlock(aircraft);
    if (lf_hasCurve(aircraft)) {
        aircraft.curve.tStep = 1.0 / ticks;
    }
    const double speedKt = aircraft.reports[1].groundSpeedKt;
    aircraft.signedGroundSpeedKt = aircraft.groundPhase == GroundPhase::PushingBack ? -speedKt : speedKt;
    lf_checkLiftOff(aircraft, ticks);
}

void setFlapsForTurn(LiveAc& aircraft) {
    const double turnedDeg = gf_angleOffDeg(aircraft.position.headingRad, aircraft.headingAtLastFlapsRad);
    if (turnedDeg >= kLeftRunwayTurnDeg) {
        gf_setFlaps(aircraft, kFlapsIn);
        aircraft.takeOffPending = false;
        aircraft.headingAtLastFlapsRad = 0.0;
        gf_setFixedWingThrottle(aircraft, kThrottleIdle);
        gf_setSpoilers(aircraft, false);
        lf_zeroSpoilersAndThrottles(aircraft);
        gf_queueLightEvents(aircraft.objectId, {1, 1, 0, 1, 0, 1, 1});
    } else if (aircraft.reports[0].groundSpeedKt <= kReadyAgainKt) {
        gf_setSpoilers(aircraft, false);
        lf_zeroSpoilersAndThrottles(aircraft);
        gf_setFlaps(aircraft, kFlapsTakeOff);
    }
}
