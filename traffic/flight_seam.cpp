#include "traffic/flight_seam.h"

#include "traffic/position_update.h"
#include "traffic/stream_geometry.h"

namespace {

// The descent toward a block on the ground, feet per minute, and in feet
// per tick (6000 ticks a minute).
constexpr double kTouchdownDescentFpm = -601.0;
constexpr double kTicksPerMinute = 6000.0;

}  // namespace

void nextPosAir(LiveAc& aircraft) {
    if (aircraft.groundPhase != GroundPhase::TakeOff && aircraft.groundPhase != GroundPhase::Flying) {
        gf_setGroundPhase(aircraft, GroundPhase::Flying);
    }
    const ReportBlock& second = aircraft.reports[1];
    const double ticks = gf_ticksToSecondBlock(aircraft);
    aircraft.verticalSpeedFpm = second.verticalSpeedFpm;
    aircraft.signedGroundSpeedKt = second.trueAirspeedKt;
    if (second.airborne) {
        aircraft.altStepFt = (second.altFt - aircraft.position.altitudeFt) / ticks;
    } else {
        aircraft.verticalSpeedFpm = kTouchdownDescentFpm;
        aircraft.altStepFt = kTouchdownDescentFpm / kTicksPerMinute;
    }
    aircraft.headingStepRad = gf_foldAngleRad(aircraft.targetHeadingRad - aircraft.position.headingRad) / ticks;
    aircraft.pitchStepRad = 0.0;
    aircraft.bankStepRad = 0.0;
}
