#include "traffic/intake/report_judging.h"

#include "core/log.h"
#include "core/settings.h"
#include "records/clock.h"
#include "traffic/stands/stand_leaving.h"
#include "traffic/stream_geometry.h"

namespace {

// Within this in both coordinates a report lies at the newest block's
// place, within the jitter of the feed.
constexpr double kNearPositionDeg = 0.00015;
// An aircraft departing this fast does not stand still on a repeated
// report: exactly the same place from 30 kt, a near place from 50 kt.
constexpr double kDepartingSameKt = 30.0;
constexpr double kDepartingNearKt = 50.0;
// A report at 0 kt of an aircraft in the air or departing is believed only
// while the newest block is slower than this.
constexpr double kStopBelievedBelowKt = 50.0;
// A pushed-back aircraft holds while reports stay within 2.75 half spans
// (and not beyond the last held one) and within 6 half spans.
constexpr double kHoldHalfSpans = 2.75;
constexpr double kLeaveHalfSpans = 6.0;
// A report that ends a stream extension in the air must lie ahead, less
// than 100 degrees off the heading; while landing, 90 degrees; one seen
// from the only block before a take-off is swapped in below 150 degrees.
constexpr double kExtensionEndOffDeg = 100.0;
constexpr double kBehindOffDeg = 90.0;
constexpr double kTakeOffBehindOffDeg = 150.0;
// While landing a report is not taken faster than the newest block above
// this speed.
constexpr double kLandingSpeedCapAboveKt = 40.0;

bool lf_isRotorcraft(const LiveAc& aircraft) { return aircraft.identity.category == AircraftCategory::Rotorcraft; }

void lf_endExtension(LiveAc& aircraft) {
    aircraft.extensionCount = 0;
    gf_resetLagWindow(aircraft);
}

void lf_endHolding(LiveAc& aircraft) {
    aircraft.holding = false;
    aircraft.holdingSinceTick = 0;
}

double lf_bearingOffDeg(const LiveAc& aircraft, const ReportBlock& from, const ReportBlock& to) {
    return gf_angleOffDeg(gf_initialBearingRad(gf_blockPosition(from), gf_blockPosition(to)),
                          aircraft.position.headingRad);
}

// A repeated report cannot stand where the aircraft cannot stand still.
bool lf_cannotStandStill(const LiveAc& aircraft, const ReportBlock& report, const ReportBlock& newest,
                         double departingKt) {
    return report.airborne || (aircraft.simState == SimState::Active && !aircraft.onGround) ||
           (aircraft.departing && report.groundSpeedKt > 0.0 && newest.groundSpeedKt >= departingKt);
}

// During a pushback waiting for its turn, the side the report's heading
// shows.
void lf_recordPushbackTurn(LiveAc& aircraft, const ReportBlock& report) {
    if (STRAIGHT_PBS_ONLY.value || aircraft.pushbackStage != 2) {
        return;
    }
    double headingRad = 0.0;
    if (report.trueHeadingRad) {
        headingRad = *report.trueHeadingRad;
    } else if (report.trackDeg != 0.0) {
        headingRad = report.trackDeg * kRadiansPerDegree;
    } else {
        return;
    }
    aircraft.pushbackHasTurn = true;
    aircraft.pushbackTurnRight = gf_foldAngleRad(headingRad - aircraft.position.headingRad) > 0.0;
}

bool lf_judgePushedBack(LiveAc& aircraft, ReportBlock& report) {
    const double distanceNm = gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), gf_blockPosition(report));
    const double halfSpanNm = aircraft.identity.halfSpanNm;
    const bool movedAway = distanceNm > kHoldHalfSpans * halfSpanNm && distanceNm > aircraft.pushbackHoldDistanceNm;
    if (!movedAway && distanceNm <= kLeaveHalfSpans * halfSpanNm) {
        if (!aircraft.holding) {
            aircraft.holdingSinceTick = static_cast<std::uint32_t>(tickCounter.load());
        }
        aircraft.holding = true;
        aircraft.pushbackHoldDistanceNm = distanceNm;
        return false;
    }
    report.unmoved = false;
    if (aircraft.extensionCount > 0 && !aircraft.reports.empty()) {
        aircraft.reports.front().playbackTick = tickCounter.load() + 1;
        lf_endExtension(aircraft);
    }
    aircraft.pushbackStage = 0;
    aircraft.pushbackHasTurn = false;
    aircraft.pushbackTurnRight = false;
    gf_setGroundPhase(aircraft, GroundPhase::Taxi);
    gf_clearStand(aircraft);
    lf_endHolding(aircraft);
    return true;
}

// A report while the stream is being extended ends the extension, unless
// it lies behind an aircraft in the air.
bool lf_endsExtension(LiveAc& aircraft, const ReportBlock& report) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports.empty()) {
        gf_writeLog("checkExtendingSituations empty sz?");
        return false;
    }
    if (!aircraft.onGround && lf_bearingOffDeg(aircraft, reports.back(), report) >= kExtensionEndOffDeg) {
        return false;
    }
    lf_endExtension(aircraft);
    reports.front().playbackTick = tickCounter.load() + 1;
    lf_endHolding(aircraft);
    return true;
}

}  // namespace

bool checkExtendingSituations(LiveAc& aircraft, ReportBlock& report) {
    switch (aircraft.groundPhase) {
        case GroundPhase::Parking:
        case GroundPhase::Parked:
            if (aircraft.simState == SimState::Buffer || aircraft.simState == SimState::Adding2Sim) {
                return false;
            }
            return checkStandDeparture(aircraft, report);
        case GroundPhase::PushingBack: lf_recordPushbackTurn(aircraft, report); return false;
        case GroundPhase::PushedBack: return lf_judgePushedBack(aircraft, report);
        default: break;
    }
    if (aircraft.landing || aircraft.takeOffPending) {
        return checkNewPosDuringLanding(aircraft, report);
    }
    if (!checkUnmovedReport(aircraft, report)) {
        return false;
    }
    return aircraft.extensionCount < 1 || lf_endsExtension(aircraft, report);
}

bool checkUnmovedReport(LiveAc& aircraft, ReportBlock& report) {
    if (aircraft.reports.empty()) {
        return true;
    }
    const ReportBlock& newest = aircraft.reports.back();
    const GeoPosition newestPosition = gf_blockPosition(newest);
    if (gf_isWithinDeg(newestPosition, gf_blockPosition(report), kSamePositionDeg)) {
        report.unmoved = true;
        if (lf_isRotorcraft(aircraft)) {
            return true;
        }
        if (lf_cannotStandStill(aircraft, report, newest, kDepartingSameKt)) {
            return false;
        }
        report.groundSpeedKt = 0.0;
        return true;
    }
    if (lf_isRotorcraft(aircraft)) {
        return true;
    }
    if (gf_isWithinDeg(newestPosition, gf_blockPosition(report), kNearPositionDeg)) {
        if (lf_cannotStandStill(aircraft, report, newest, kDepartingNearKt)) {
            return false;
        }
        // The aircraft stands where it stood.
        report = newest;
        report.groundSpeedKt = 0.0;
        report.unmoved = true;
        return true;
    }
    if (report.groundSpeedKt == 0.0 && (aircraft.departing || report.airborne)) {
        return newest.groundSpeedKt < kStopBelievedBelowKt;
    }
    return true;
}

bool checkNewPosDuringLanding(LiveAc& aircraft, ReportBlock& report) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports.empty()) {
        gf_writeLog("checkNewPosDuringLanding empty sz?");
        return false;
    }
    if (gf_isWithinDeg(gf_blockPosition(reports.back()), gf_blockPosition(report), kSamePositionDeg)) {
        return false;
    }
    if (reports.size() == 1) {
        const double offDeg = lf_bearingOffDeg(aircraft, reports.front(), report);
        if (aircraft.landing) {
            if (offDeg >= kBehindOffDeg) {
                return false;
            }
        } else if (offDeg >= kTakeOffBehindOffDeg) {
            if (aircraft.extensionCount >= 1) {
                return false;
            }
            // The report lies behind the block: the aircraft turns from
            // where it is now.
            ReportBlock& front = reports.front();
            front.latDeg = aircraft.position.latitudeDeg;
            front.lonDeg = aircraft.position.longitudeDeg;
            front.playbackTick = tickCounter.load() + 1;
        }
    } else {
        const std::size_t blocks = reports.size();
        if (lf_bearingOffDeg(aircraft, reports.back(), report) >= kBehindOffDeg) {
            reports.pop_back();
            if (blocks >= 3 && lf_bearingOffDeg(aircraft, reports.back(), report) >= kBehindOffDeg) {
                reports.pop_back();
            }
        }
    }
    if (aircraft.extensionCount != 0) {
        lf_endExtension(aircraft);
    }
    const ReportBlock& newest = reports.back();
    if (gf_isWithinDeg(gf_blockPosition(newest), gf_blockPosition(report), kSamePositionDeg)) {
        report.unmoved = true;
    } else if (report.groundSpeedKt > newest.groundSpeedKt && report.groundSpeedKt > kLandingSpeedCapAboveKt) {
        report.groundSpeedKt = newest.groundSpeedKt;
    }
    return true;
}
