#include "traffic/curves_seam.h"

#include <cmath>
#include <numbers>

#include "traffic/stream_geometry.h"

namespace {

constexpr double kFullCircleRad = 2.0 * std::numbers::pi;
// A heading this close to the wanted one is left as it is.
constexpr double kHeadingCloseEnoughRad = 0.5 * kRadiansPerDegree;

double lf_reduceHeadingRad(double headingRad) {
    const double reduced = std::fmod(headingRad, kFullCircleRad);
    return reduced < 0.0 ? reduced + kFullCircleRad : reduced;
}

// The heading turns by the turn rate the short way toward the wanted one.
void lf_turnToward(LiveAc& aircraft, double wantedRad) {
    double& heading = aircraft.position.headingRad;
    const double difference = gf_foldAngleRad(wantedRad - heading);
    if (std::fabs(difference) <= kHeadingCloseEnoughRad) {
        return;
    }
    const double turn = aircraft.identity.turnRateRad;
    heading = lf_reduceHeadingRad(heading + (difference > 0.0 ? turn : -turn));
}

void lf_moveStraight(LiveAc& aircraft) {
    aircraft.position.latitudeDeg += aircraft.latStepDeg;
    aircraft.position.longitudeDeg += aircraft.lonStepDeg;
}

void lf_moveAlongPhase(LiveAc& aircraft) {
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

void lf_changeAttitude(LiveAc& aircraft) {
    PositionBlock& position = aircraft.position;
    if (aircraft.onGround) {
        position.pitchRad = aircraft.identity.staticPitchRad;
        position.bankRad = 0.0;
        return;
    }
    position.bankRad += aircraft.bankStepRad;
    position.pitchRad += aircraft.pitchStepRad;
    position.altitudeFt += aircraft.altStepFt;
}

// Longitude into -180..180; a latitude beyond a pole is folded back, on the
// other side of the earth.
void lf_normalizePosition(PositionBlock& position) {
    const auto normalizeLongitude = [](double lonDeg) {
        double shifted = std::fmod(lonDeg + 180.0, 360.0);
        if (shifted < 0.0) {
            shifted += 360.0;
        }
        return shifted - 180.0;
    };
    position.longitudeDeg = normalizeLongitude(position.longitudeDeg);
    if (position.latitudeDeg > 90.0 || position.latitudeDeg < -90.0) {
        position.latitudeDeg = (position.latitudeDeg > 90.0 ? 180.0 : -180.0) - position.latitudeDeg;
        position.longitudeDeg = normalizeLongitude(position.longitudeDeg + 180.0);
    }
}

}  // namespace

void interpolateCurve(LiveAc& aircraft) {
    lf_moveAlongPhase(aircraft);
    lf_changeAttitude(aircraft);
    lf_normalizePosition(aircraft.position);
}
