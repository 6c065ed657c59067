#include "traffic/taxi_seam.h"

#include <algorithm>

#include "traffic/aircraft_commands.h"
#include "traffic/position_update.h"
#include "traffic/stream_extension_seam.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"
#include "traffic/tick_driver.h"

namespace {

// A heading this far off the next block is turned toward it.
constexpr double kTurnToTargetAboveDeg = 3.0;

}  // namespace

void nextPosGround(LiveAc& aircraft) {
    if (!aircraft.reports[1].unmoved) {
        aircraft.turnAngleDeg = gf_angleOffDeg(aircraft.targetHeadingRad, aircraft.position.headingRad);
        aircraft.turningToTarget = aircraft.turnAngleDeg > kTurnToTargetAboveDeg;
    }
    retimeGround(aircraft);
}

void retimeGround(LiveAc& aircraft) {
    const ReportBlock& front = aircraft.reports[0];
    const ReportBlock& second = aircraft.reports[1];
    if (!second.unmoved) {
        aircraft.identity.turnRateRad = aircraft.identity.taxiTurnRateRad;
        const double distanceNm = gf_greatCircleDistanceNm(gf_blockPosition(front), gf_blockPosition(second));
        clampPlaybackTick(aircraft, std::max(gf_ticksForDistance(distanceNm, lf_streamSpeed(aircraft)), kMinStepTicks));
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
    }
    gf_setThrottle(aircraft, aircraft.identity.category == AircraftCategory::Rotorcraft ? 4 : 0);
    PositionBlock& position = aircraft.position;
    position.pitchRad = aircraft.identity.staticPitchRad;
    position.bankRad = 0.0;
    aircraft.pitchStepRad = 0.0;
    aircraft.bankStepRad = 0.0;
    aircraft.signedGroundSpeedKt = aircraft.reports[1].groundSpeedKt;
}
