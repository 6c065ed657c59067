#include "traffic/movement/take_off_landing.h"

#include <algorithm>
#include <numbers>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "traffic/aircraft_commands.h"
#include "traffic/movement/flight_configuration.h"
#include "traffic/movement/position_update.h"
#include "traffic/stream_geometry.h"

namespace {

// Ticks after rotation (negative counter values) at which the climb
// quickens: a tenth of the altitude step until -99, a fifth until -199,
// half until -299, the gear up at -300 and the full step after it.
constexpr std::int32_t kFifthFromTick = -100;
constexpr std::int32_t kHalfFromTick = -200;
constexpr std::int32_t kGearUpTick = -300;
constexpr std::int32_t kLowestGroundTicks = -1000;
// A climbing aircraft is flying from this height above the ground.
constexpr double kFlyingFromFt = 800.0;

// The flare: heights above the reference point's height, altitude steps per
// tick, vertical speeds written into the front block.
constexpr double kFlarePitchRad = -0.06981317007977318;  // 4 degrees nose up
constexpr double kFlareStartAboveFt = 30.0;
constexpr double kFlareSecondAboveFt = 20.0;
constexpr double kFlareThirdAboveFt = 10.0;
constexpr double kFlareLastAboveFt = 3.0;
constexpr double kFlareStartStepFt = -0.1;
constexpr double kFlareSecondStepFt = -0.07500000000000001;
constexpr double kFlareThirdStepFt = -0.05;
constexpr double kFlareLastStepFt = -0.025;
constexpr double kFlareStartFpm = -601.0;
constexpr double kFlareSecondFpm = -450.0;
constexpr double kFlareThirdFpm = -300.0;
constexpr double kFlareLastFpm = -150.0;

void lf_climbOut(LiveAc& aircraft, std::int32_t ticksSinceRotation) {
    PositionBlock& position = aircraft.position;
    const AcIdentity& identity = aircraft.identity;
    position.bankRad = std::clamp(position.bankRad + aircraft.bankStepRad, -std::numbers::pi, std::numbers::pi);
    if (position.pitchRad > identity.climbPitchRad) {
        position.pitchRad += (identity.climbPitchRad - identity.rotationPitchRad) / identity.climbPitchTicks;
    }
    const std::int32_t g = ticksSinceRotation;
    if (g == 0) {
        return;
    }
    if (g > kFifthFromTick) {
        position.altitudeFt += aircraft.altStepFt / 10.0;
    } else if (g > kHalfFromTick) {
        position.altitudeFt += aircraft.altStepFt / 5.0;
    } else if (g > kGearUpTick) {
        position.altitudeFt += aircraft.altStepFt / 2.0;
    } else if (g == kGearUpTick) {
        position.altitudeFt += aircraft.altStepFt;
        gf_setGear(aircraft, false);
    } else {
        position.altitudeFt += aircraft.altStepFt;
        if (position.pitchRad <= identity.climbPitchRad) {
            aircraft.pitchStepRad = 0.0;
            if (aircraft.heightAboveGroundFt >= kFlyingFromFt) {
                gf_setFixedWingThrottle(aircraft, kThrottleClimb);
                gf_setGroundPhase(aircraft, GroundPhase::Flying);
                aircraft.groundTicks = 1;
            }
        }
    }
}

// One stage of the flare once the aircraft is low enough for it.
void lf_nextFlareStage(LiveAc& aircraft, double altStepFt, double verticalSpeedFpm) {
    aircraft.altStepFt = altStepFt;
    aircraft.touchdownElevationFt.reset();
    aircraft.reports.front().verticalSpeedFpm = verticalSpeedFpm;
    ++aircraft.flareStage;
}

void lf_testFlareStart(LiveAc& aircraft) {
    const AirportRecord airport = parkAirport.load();
    if (!aircraft.touchdownElevationFt && !airport.code.empty()) {
        aircraft.touchdownElevationFt = airport.alt;
    }
    const double heightFt = aircraft.touchdownElevationFt
                                ? aircraft.position.altitudeFt - *aircraft.touchdownElevationFt
                                : aircraft.heightAboveGroundFt;
    aircraft.flareHeightFt = heightFt;
    if (std::min(aircraft.heightAboveGroundFt, heightFt) <= aircraft.identity.staticCgHeightFt + kFlareStartAboveFt) {
        aircraft.pitchStepRad = (kFlarePitchRad - aircraft.position.pitchRad) / aircraft.identity.flareTicks;
        aircraft.altStepFt = kFlareStartStepFt;
        aircraft.reports.front().verticalSpeedFpm = kFlareStartFpm;
        aircraft.flareStage = 1;
    }
}

}  // namespace

void startTakeOff(LiveAc& aircraft) {
    const AcIdentity& identity = aircraft.identity;
    aircraft.groundTicks = std::max(static_cast<std::int32_t>(identity.rotationTicks), 1);
    aircraft.pitchStepRad = (identity.rotationPitchRad - aircraft.position.pitchRad) / aircraft.groundTicks;
    aircraft.position.bankRad = 0.0;
    aircraft.bankStepRad = 0.0;
    if (!aircraft.departing) {
        lf_startTaxiOut(aircraft);
    }
    gf_setGroundPhase(aircraft, GroundPhase::TakeOff);
    aircraft.headingStepRad = 0.0;
    gf_clearCurve(aircraft.curve);
    if (aircraft.takeOffPending) {
        aircraft.takeOffPending = false;
        aircraft.landing = false;
        aircraft.wideStandSearch = false;
        gf_setThrottle(aircraft, kThrottleFull);
        gf_setSpoilers(aircraft, true);
        gf_setFlaps(aircraft, kFlapsTakeOff);
    }
}

void takeOffStep(LiveAc& aircraft) {
    const std::int32_t g = aircraft.groundTicks - 1;
    aircraft.groundTicks = std::max(g, kLowestGroundTicks);
    if (g >= 1) {
        aircraft.onGround = false;
        if (aircraft.position.pitchRad > aircraft.identity.rotationPitchRad) {
            aircraft.position.pitchRad += aircraft.pitchStepRad;
        }
        return;
    }
    lf_climbOut(aircraft, g);
}

void flareStep(LiveAc& aircraft) {
    const double heightFt = aircraft.heightAboveGroundFt;
    const double referenceFt = aircraft.identity.staticCgHeightFt;
    switch (aircraft.flareStage) {
        case 0: lf_testFlareStart(aircraft); break;
        case 1:
            if (heightFt <= referenceFt + kFlareSecondAboveFt) {
                lf_nextFlareStage(aircraft, kFlareSecondStepFt, kFlareSecondFpm);
            }
            break;
        case 2:
            if (heightFt <= referenceFt + kFlareThirdAboveFt) {
                gf_setThrottle(aircraft, kThrottleIdle);
                lf_nextFlareStage(aircraft, kFlareThirdStepFt, kFlareThirdFpm);
            }
            break;
        case 3:
            if (heightFt <= referenceFt + kFlareLastAboveFt) {
                lf_nextFlareStage(aircraft, kFlareLastStepFt, kFlareLastFpm);
            }
            break;
        default: break;
    }
}
