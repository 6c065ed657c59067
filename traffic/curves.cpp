#include "traffic/curves.h"

#include <cmath>
#include <numbers>

#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"

namespace {

constexpr double kMetresPerDegree = 111132.95;
// A speed change of more than this over a leg of at least this length gets
// a block halfway.
constexpr double kSpeedChangeKt = 5.0;
constexpr double kSpeedChangeLegM = 100.0;

// A longitude difference folded into -180..180, so that a curve or a
// midpoint across the antimeridian stays on the short side.
double lf_longitudeDifferenceDeg(double toDeg, double fromDeg) { return std::remainder(toDeg - fromDeg, 360.0); }

double lf_metresPerDegreeEast(double originLatDeg) {
    const double latDeg = originLatDeg > 180.0 ? originLatDeg - 360.0 : originLatDeg;
    return kMetresPerDegree * std::cos(latDeg * kRadiansPerDegree);
}

struct LocalMetres {
    double northM = 0.0;
    double eastM = 0.0;
};

LocalMetres lf_toLocal(const CurveState& curve, const ReportBlock& block) {
    return {(block.latDeg - curve.originLatDeg) * kMetresPerDegree,
            lf_longitudeDifferenceDeg(block.lonDeg, curve.originLonDeg) * lf_metresPerDegreeEast(curve.originLatDeg)};
}

}  // namespace

std::optional<CurvePoint> curvePointAt(const CurveState& curve, double t) {
    if (std::isnan(curve.controlEastM) || std::isnan(curve.controlNorthM) || !(t >= curve.t0 && t <= curve.t1)) {
        return std::nullopt;
    }
    const double u = (t - curve.t0) / (curve.t1 - curve.t0);
    if (!(u >= 0.0 && u <= 1.0)) {
        return std::nullopt;
    }
    const double toControl = 2.0 * (1.0 - u) * u;
    const double eastM = toControl * curve.controlEastM + u * u * curve.endEastM;
    const double northM = toControl * curve.controlNorthM + u * u * curve.endNorthM;
    const double dEast = 2.0 * u * (curve.endEastM - curve.controlEastM) + 2.0 * (1.0 - u) * curve.controlEastM;
    const double dNorth = 2.0 * u * (curve.endNorthM - curve.controlNorthM) + 2.0 * (1.0 - u) * curve.controlNorthM;
    double headingRad = std::atan2(dEast, dNorth);
    if (headingRad < 0.0) {
        headingRad += 2.0 * std::numbers::pi;
    }
    return CurvePoint{curve.originLatDeg + northM / kMetresPerDegree,
                      curve.originLonDeg + eastM / lf_metresPerDegreeEast(curve.originLatDeg), headingRad};
}

void makeCurve(LiveAc& aircraft) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports[2].groundSpeedKt == 0.0) {
        reports[2].groundSpeedKt = (reports[0].groundSpeedKt + reports[1].groundSpeedKt) / 2.0;
    }
    CurveState& curve = aircraft.curve;
    curve.originLatDeg = aircraft.position.latitudeDeg;
    curve.originLonDeg = aircraft.position.longitudeDeg;
    curve.t0 = 0.0;
    curve.t1 = 1.0;
    curve.t = 0.0;
    const LocalMetres end = lf_toLocal(curve, reports[2]);
    const LocalMetres control = lf_toLocal(curve, reports[1]);
    curve.endNorthM = end.northM;
    curve.endEastM = end.eastM;
    curve.controlEastM = control.eastM;
    curve.controlNorthM = control.northM;
    reports.erase(reports.begin() + 1);
}

void insertMidPoint(LiveAc& aircraft) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    const ReportBlock& front = reports[0];
    const ReportBlock& second = reports[1];
    ReportBlock middle = front;
    middle.latDeg = (front.latDeg + second.latDeg) / 2.0;
    middle.lonDeg = std::remainder(front.lonDeg + lf_longitudeDifferenceDeg(second.lonDeg, front.lonDeg) / 2.0, 360.0);
    middle.groundSpeedKt = (front.groundSpeedKt + second.groundSpeedKt) / 2.0;
    middle.altFt = (front.altFt + second.altFt) / 2.0;
    const double tickSum = static_cast<double>(front.playbackTick) + static_cast<double>(second.playbackTick);
    middle.playbackTick = gf_wholeTicks(std::round(tickSum * 0.5));
    middle.airborne = middle.altFt > 0.0;
    if (!middle.airborne) {
        middle.altFt = 0.0;
    }
    middle.unmoved = false;
    reports.insert(reports.begin() + 1, middle);
}

void checkSpeedChangeMidPoint(LiveAc& aircraft) {
    const ReportBlock& front = aircraft.reports[0];
    const ReportBlock& second = aircraft.reports[1];
    const bool moving = front.groundSpeedKt > 0.0 || second.groundSpeedKt > 0.0;
    if (moving && std::fabs(front.groundSpeedKt - second.groundSpeedKt) > kSpeedChangeKt &&
        gf_greatCircleDistanceNm(gf_blockPosition(front), gf_blockPosition(second)) * kMetresPerNm >=
            kSpeedChangeLegM) {
        insertMidPoint(aircraft);
    }
}
