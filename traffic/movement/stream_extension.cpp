// When the reports of a live aircraft stop, it does not stop with them: its
// stream is extended with points of its own making. In the air it flies on
// along its heading for 8 points 8 s apart, each 5 % slower (only near
// enough to the user to be seen); on the ground it accelerates toward its
// take-off, decelerates after its landing or stands for 10 points 3 s
// apart; a parked aircraft gets one point a week ahead and stays. A taxiing
// aircraft that stops holds in place, checked every 3 s, until it has held
// for MAX_HOLDING_MINUTES or another taxiing aircraft comes close. Then the
// stream ends and the aircraft is removed by its caller. Worker thread only.
//
// Worked example: an airliner at 240 kt whose reports stop 20 nm from the
// user (RANGE 40) gets a point 8 s ahead at 228 kt (0.95 x 240), 0.507 nm
// further along its heading (8 x 100 ticks x 228 kt / 360000), then points
// at 216.6, 205.8 ... kt; after the eighth its stream ends.

#include "traffic/movement/movement_internal.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/settings.h"
#include "core/units.h"
#include "records/clock.h"
#include "traffic/aircraft_by_position.h"
#include "traffic/category_switches.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"
#include "traffic/traffic_state.h"

namespace {

// Points made in the air, on the ground and for a parked aircraft.
constexpr std::int32_t kAirPoints = 8;
constexpr std::int32_t kGroundPoints = 10;
constexpr std::int32_t kParkedPoints = 1;
// In the air points are made only within RANGE less this of the user.
constexpr double kRangeMarginNm = 0.5;
// Seconds between made points: on the ground, in the air, and a week for a
// parked aircraft, which thus stays until its reports move it again.
constexpr double kGroundStepS = 3.0;
constexpr double kAirStepS = 8.0;
constexpr double kParkedStepS = 604800.0;
constexpr double kTicksPerSecond = 100.0;
// A holding aircraft is checked again after this many ticks; it gives way
// to a taxiing aircraft within this many times the two half spans.
constexpr std::int32_t kHoldCheckTicks = 300;
constexpr double kHoldClearanceSpans = 1.2;
// The places of the aircraft near the one that asks; the storage is kept
// from question to question.
std::vector<std::size_t> nearAircraftPlaces;
constexpr std::int64_t kTicksPerMinute = 6000;
// In the air each point is 5 % slower (10 % while landing, the last three
// at the speed before), never below 1 kt.
constexpr double kAirSlowdown = 0.95;
constexpr double kLandingSlowdown = 0.9;
constexpr std::int32_t kLandingSlowPoints = 4;
constexpr double kLowestAirSpeedKt = 1.0;
// Descent before the flare and climb after the lift-off, feet per second
// and fpm.
constexpr double kLandingDescentFtPerS = 10.005;
constexpr double kLandingDescentFpm = -667.0;
constexpr double kTakeOffClimbFtPerS = 25.0;
constexpr double kTakeOffClimbFpm = 1500.0;

// A speed and the vertical speed that goes with it (empty: unchanged).
struct SpeedStep {
    double upToKt;
    double speedKt;
    std::optional<double> verticalSpeedFpm;
};
// Accelerating toward the take-off, by the speed reached (up to and
// including the first column).
constexpr SpeedStep kAccelerating[] = {{30.0, 40.0, {}},         {60.0, 80.0, {}},
                                        {100.0, 110.0, {}},       {140.0, 150.0, 600.0},
                                        {160.0, 170.0, 1200.0}};
constexpr SpeedStep kAcceleratingAbove{0.0, 180.0, 2400.0};
// Decelerating after the landing, by the speed reached (from the first
// column on); below 60 kt, 20 kt.
constexpr SpeedStep kDecelerating[] = {{140.0, 100.0, 0.0}, {100.0, 80.0, 0.0}, {80.0, 60.0, 0.0}, {60.0, 30.0, 0.0}};
constexpr SpeedStep kDeceleratingBelow{0.0, 20.0, 0.0};

const SpeedStep& lf_accelerate(double speedKt) {
    const auto found = std::find_if(std::begin(kAccelerating), std::end(kAccelerating),
                                    [&](const SpeedStep& step) { return speedKt <= step.upToKt; });
    return found == std::end(kAccelerating) ? kAcceleratingAbove : *found;
}

const SpeedStep& lf_decelerate(double speedKt) {
    const auto found = std::find_if(std::begin(kDecelerating), std::end(kDecelerating),
                                    [&](const SpeedStep& step) { return speedKt >= step.upToKt; });
    return found == std::end(kDecelerating) ? kDeceleratingBelow : *found;
}

void lf_applySpeedStep(ReportBlock& point, const SpeedStep& step) {
    point.groundSpeedKt = step.speedKt;
    if (step.verticalSpeedFpm) {
        point.verticalSpeedFpm = *step.verticalSpeedFpm;
    }
}

void lf_standStill(ReportBlock& point) {
    point.unmoved = true;
    point.groundSpeedKt = 0.0;
}

// The speed of the next point; false when the point stands where it is.
bool lf_setPointSpeed(const LiveAc& aircraft, ReportBlock& point, std::int32_t n) {
    if (!aircraft.onGround) {
        if (!aircraft.landing) {
            point.groundSpeedKt = std::max(kAirSlowdown * point.groundSpeedKt, kLowestAirSpeedKt);
        } else if (n >= kLandingSlowPoints) {
            point.groundSpeedKt = std::max(kLandingSlowdown * point.groundSpeedKt, kLowestAirSpeedKt);
        }
    } else if (aircraft.takeOffPending) {
        lf_applySpeedStep(point, lf_decelerate(point.groundSpeedKt));
    } else if (aircraft.departing) {
        lf_applySpeedStep(point, lf_accelerate(point.groundSpeedKt));
    } else {
        lf_standStill(point);
        return false;
    }
    return point.groundSpeedKt > 0.0;
}

// The point moves along the aircraft's heading for the step's time at its
// speed, descending before a flare or climbing after a lift-off.
void lf_movePoint(const LiveAc& aircraft, ReportBlock& point, double stepS) {
    const GeoPosition from = gf_blockPosition(point);
    const double distanceFt = stepS * kTicksPerSecond * point.groundSpeedKt * kFeetPerNm / kTicksPerHour;
    const GeoPosition to = gf_destinationPoint(from, aircraft.position.headingRad, distanceFt);
    point.latDeg = to.latDeg;
    point.lonDeg = to.lonDeg;
    point.unmoved = gf_isWithinDeg(from, to, kSamePositionDeg);
    if (aircraft.landing && aircraft.flareStage == 0) {
        point.altFt -= kLandingDescentFtPerS * stepS;
        point.verticalSpeedFpm = kLandingDescentFpm;
    } else if (aircraft.groundPhase == GroundPhase::TakeOff) {
        point.altFt += kTakeOffClimbFtPerS * stepS;
        point.verticalSpeedFpm = kTakeOffClimbFpm;
    }
    point.airborne = point.altFt > 0.0;
    if (!point.airborne) {
        point.altFt = 0.0;
    }
}

// Another taxiing aircraft on the ground close enough to touch. When a pass
// keeps the aircraft by position, only those near it can be.
bool lf_otherTaxiingAircraftClose(const LiveAc& aircraft) {
    const GeoPosition position = gf_aircraftPosition(aircraft);
    const auto close = [&](const LiveAc& other) {
        return other.objectId != aircraft.objectId && other.simState == SimState::Active && other.onGround &&
               other.groundPhase == GroundPhase::Taxi &&
               gf_greatCircleDistanceNm(position, gf_aircraftPosition(other)) <=
                   kHoldClearanceSpans * (aircraft.identity.halfSpanNm + other.identity.halfSpanNm);
    };
    if (gf_livePlacesNear(position, kHoldClearanceSpans * aircraft.identity.halfSpanNm, kHoldClearanceSpans,
                          nearAircraftPlaces)) {
        return std::any_of(nearAircraftPlaces.begin(), nearAircraftPlaces.end(),
                           [&](std::size_t place) { return close(liveAircraft[place]); });
    }
    return std::any_of(liveAircraft.begin(), liveAircraft.end(), close);
}

bool lf_hold(LiveAc& aircraft) {
    if (lf_otherTaxiingAircraftClose(aircraft)) {
        aircraft.holding = false;
        aircraft.holdingSinceTick = 0;
        return false;
    }
    const std::int64_t now = tickCounter.load();
    if (aircraft.holding) {
        const std::int64_t heldMinutes = (now - std::int64_t{aircraft.holdingSinceTick}) / kTicksPerMinute;
        if (heldMinutes > MAX_HOLDING_MINUTES.value) {
            return false;
        }
    } else {
        aircraft.holdingSinceTick = static_cast<std::uint32_t>(now);
    }
    aircraft.holding = true;
    ReportBlock point = aircraft.reports.back();
    point.playbackTick = gf_wholeTicks(static_cast<double>(std::int64_t{point.playbackTick} + kHoldCheckTicks));
    lf_standStill(point);
    aircraft.reports.push_back(point);
    aircraft.extensionCount = 1;
    return true;
}

// The first point of an extension: how many the aircraft gets.
std::int32_t lf_pointsToMake(const LiveAc& aircraft) {
    if (aircraft.onGround) {
        return aircraft.groundPhase == GroundPhase::Parked ? kParkedPoints : kGroundPoints;
    }
    const GeoPosition user = gf_userPosition(runUserAcData);
    if (!gf_isPositionKnown(user)) {
        return kAirPoints;
    }
    const double distanceNm = gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), user);
    return distanceNm < RANGE.value - kRangeMarginNm ? kAirPoints : 0;
}

bool lf_continueExtension(LiveAc& aircraft) {
    const std::int32_t left = aircraft.extensionCount;
    if (left < 0) {
        return false;
    }
    if (left > 1) {
        lf_appendExtensionPoint(aircraft, left - 1);
        return true;
    }
    if (left == 1) {
        aircraft.extensionCount = -1;
        return false;
    }
    if (!gf_isCategorySwitchedOn(aircraft.identity.category)) {
        return false;
    }
    const std::int32_t points = lf_pointsToMake(aircraft);
    if (points < 1) {
        return false;
    }
    lf_appendExtensionPoint(aircraft, points);
    return true;
}

}  // namespace

bool lf_extendStream(LiveAc& aircraft) {
    switch (aircraft.groundPhase) {
        case GroundPhase::Parking: lf_arriveAtStand(aircraft); break;
        case GroundPhase::PushedBack: return lf_hold(aircraft);
        case GroundPhase::Taxi:
            if (!aircraft.departing && !aircraft.takeOffPending) {
                return lf_hold(aircraft);
            }
            break;
        default: break;
    }
    return lf_continueExtension(aircraft);
}

void lf_appendExtensionPoint(LiveAc& aircraft, std::int32_t n) {
    aircraft.extensionCount = n;
    ReportBlock point = aircraft.reports.back();
    const bool parked = aircraft.groundPhase == GroundPhase::Parked;
    const double stepS = parked ? kParkedStepS : (aircraft.onGround ? kGroundStepS : kAirStepS);
    if (point.unmoved || parked) {
        lf_standStill(point);
    } else if (lf_setPointSpeed(aircraft, point, n)) {
        lf_movePoint(aircraft, point, stepS);
    }
    const double dueTick = static_cast<double>(point.playbackTick) + kTicksPerSecond * stepS;
    point.playbackTick = gf_wholeTicks(dueTick);
    if (parked) {
        aircraft.standConfirmed = false;
    }
    aircraft.reports.push_back(point);
}
