#include "traffic/movement/tick_move.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/format.h"
#include "core/log.h"
#include "traffic/curves.h"
#include "traffic/movement/take_off_landing.h"
#include "traffic/stream_geometry.h"

namespace {

constexpr double kFullCircleRad = 2.0 * std::numbers::pi;
// A heading this close to the wanted one is left as it is.
constexpr double kHeadingCloseEnoughRad = 0.5 * kRadiansPerDegree;
// The curve's parameter never reaches its end: the end is met by the
// block's own position when the block is reached.
constexpr double kLastCurveT = 0.999999;
// The flare starts at this height above the ground, feet; during it the
// nose is never raised above 4 degrees.
constexpr double kFlareFromFt = 400.0;
constexpr double kFlareHighestPitchRad = -4.0 * kRadiansPerDegree;

double lf_reduceHeadingRad(double headingRad) {
    const double reduced = std::fmod(headingRad, kFullCircleRad);
    return reduced < 0.0 ? reduced + kFullCircleRad : reduced;
}

// The heading turns by the turn rate the short way toward the wanted one,
// but never past it: a turn rate scaled up for a long leg would otherwise
// swing the heading from one side of the wanted one to the other on every
// tick.
void lf_turnToward(LiveAc& aircraft, double wantedRad) {
    double& heading = aircraft.position.headingRad;
    const double difference = gf_foldAngleRad(wantedRad - heading);
    if (std::fabs(difference) <= kHeadingCloseEnoughRad) {
        return;
    }
    const double turn = std::min(aircraft.identity.turnRateRad, std::fabs(difference));
    heading = lf_reduceHeadingRad(heading + (difference > 0.0 ? turn : -turn));
}

void lf_moveStraight(LiveAc& aircraft) {
    aircraft.position.latitudeDeg += aircraft.latStepDeg;
    aircraft.position.longitudeDeg += aircraft.lonStepDeg;
}

bool lf_hasCurve(const CurveState& curve) {
    return !std::isnan(curve.controlEastM) && !std::isnan(curve.controlNorthM);
}

void lf_followCurve(LiveAc& aircraft) {
    CurveState& curve = aircraft.curve;
    curve.t = std::clamp(curve.t + curve.tStep, 0.0, kLastCurveT);
    const std::optional<CurvePoint> point = curvePointAt(curve, curve.t);
    if (!point) {
        gf_writeLogPlain(
            fmtlib::format("{} error in curve at index: {:.2F}", aircraft.identity.strings.callsign, curve.t));
        return;
    }
    aircraft.position.latitudeDeg = point->latDeg;
    aircraft.position.longitudeDeg = point->lonDeg;
    // Pushing back, the tail leads.
    const double wantedRad = aircraft.groundPhase == GroundPhase::PushingBack
                                 ? lf_reduceHeadingRad(point->headingRad + std::numbers::pi)
                                 : point->headingRad;
    lf_turnToward(aircraft, wantedRad);
}

void lf_moveByPhase(LiveAc& aircraft) {
    switch (aircraft.groundPhase) {
        case GroundPhase::TakeOff:
        case GroundPhase::Flying:
        case GroundPhase::Parked:
        case GroundPhase::Birth:
            aircraft.position.headingRad = lf_reduceHeadingRad(aircraft.position.headingRad + aircraft.headingStepRad);
            lf_moveStraight(aircraft);
            return;
        default: break;
    }
    if (aircraft.groundPhase == GroundPhase::Parking || aircraft.turningToTarget) {
        lf_turnToward(aircraft, aircraft.targetHeadingRad);
    }
    if (aircraft.groundPhase != GroundPhase::PushedBack) {
        lf_moveStraight(aircraft);
    }
}

// After touchdown the nose comes down to its standing pitch; then the
// recovery (and any flare) is over.
void lf_recoverPitch(LiveAc& aircraft) {
    PositionBlock& position = aircraft.position;
    position.pitchRad += aircraft.pitchStepRad;
    if (position.pitchRad > aircraft.identity.staticPitchRad) {
        position.pitchRad = aircraft.identity.staticPitchRad;
        aircraft.pitchStepRad = 0.0;
        position.bankRad = 0.0;
        aircraft.bankStepRad = 0.0;
        aircraft.pitchRecovery = false;
        aircraft.flareStage = 0;
    }
    position.bankRad += aircraft.bankStepRad;
}

void lf_changeAttitude(LiveAc& aircraft) {
    PositionBlock& position = aircraft.position;
    if (aircraft.groundPhase == GroundPhase::TakeOff) {
        takeOffStep(aircraft);
        return;
    }
    if (aircraft.landing && !aircraft.onGround && aircraft.heightAboveGroundFt <= kFlareFromFt) {
        flareStep(aircraft);
    }
    if (aircraft.pitchRecovery) {
        lf_recoverPitch(aircraft);
    } else if (aircraft.flareStage > 0) {
        position.bankRad = std::clamp(position.bankRad + aircraft.bankStepRad, -std::numbers::pi, std::numbers::pi);
        position.pitchRad = std::max(position.pitchRad + aircraft.pitchStepRad, kFlareHighestPitchRad);
        position.altitudeFt += aircraft.altStepFt;
    } else if (aircraft.onGround) {
        position.pitchRad = aircraft.identity.staticPitchRad;
        position.bankRad = 0.0;
    } else {
        position.bankRad += aircraft.bankStepRad;
        position.pitchRad += aircraft.pitchStepRad;
        position.altitudeFt += aircraft.altStepFt;
    }
}

double lf_normalizeLongitudeDeg(double lonDeg) {
    double shifted = std::fmod(lonDeg + 180.0, 360.0);
    if (shifted < 0.0) {
        shifted += 360.0;
    }
    return shifted - 180.0;
}

void lf_normalizePosition(PositionBlock& position) {
    position.longitudeDeg = lf_normalizeLongitudeDeg(position.longitudeDeg);
    if (position.latitudeDeg > 90.0 || position.latitudeDeg < -90.0) {
        position.latitudeDeg = (position.latitudeDeg > 90.0 ? 180.0 : -180.0) - position.latitudeDeg;
        position.longitudeDeg = lf_normalizeLongitudeDeg(position.longitudeDeg + 180.0);
    }
}

}  // namespace

void interpolateCurve(LiveAc& aircraft) {
    if (lf_hasCurve(aircraft.curve)) {
        lf_followCurve(aircraft);
    } else {
        lf_moveByPhase(aircraft);
    }
    lf_changeAttitude(aircraft);
    lf_normalizePosition(aircraft.position);
}
