#include "traffic/movement/flight_configuration.h"

#include <algorithm>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/format.h"
#include "core/log.h"
#include "records/qnh.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_commands.h"
#include "traffic/aircraft_labels.h"
#include "traffic/movement/movement_internal.h"
#include "traffic/movement/position_update.h"
#include "traffic/stands/soft_stand_learning.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"

namespace {

// Vertical speeds, fpm, that decide the configuration: a descent, a climb
// after the take-off power, a climb that is no approach, a level flight.
constexpr double kDescendingFpm = -250.0;
constexpr double kClimbingAfterTakeOffFpm = 400.0;
constexpr double kGoAroundFpm = 600.0;
constexpr double kLevelFpm = 100.0;
// Heights above the ground, feet: gear up and flaps in from the first, a
// second flaps step below the second.
constexpr double kCleanAboveFt = 2400.0;
constexpr double kSecondFlapsBelowFt = 2000.0;
// An approach begins within this distance of the park airport.
constexpr double kApproachWithinNm = 10.0;
// The landing vertical speed: 6 fpm per hPa from 1013, never shallower than
// -601 fpm; the last 100 ft at -600 fpm.
constexpr double kFpmPerHpa = 6.0;
constexpr double kShallowestLandingFpm = -601.0;
constexpr double kLastFeetFpm = -600.0;
constexpr double kLastFeetFt = 100.0;

double lf_newestVerticalSpeedFpm(const LiveAc& aircraft) { return aircraft.reports.back().verticalSpeedFpm; }

bool lf_nearParkAirport(const LiveAc& aircraft) {
    const AirportRecord airport = parkAirport.load();
    return !airport.code.empty() &&
           gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), {airport.lat, airport.lon}) <= kApproachWithinNm;
}

void lf_configureToLand(LiveAc& aircraft) {
    gf_setFixedWingThrottle(aircraft, kThrottleLow);
    gf_setFlaps(aircraft, kFlapsLanding);
    gf_setGear(aircraft, true);
    coupledCheckQueue.push_back(aircraft.identity.aircraftId);
    aircraft.landing = true;
    aircraft.landingConfigured = false;
    gf_clearStand(aircraft);
    gf_resetLagWindow(aircraft);
    aircraft.groundTicks = 1;
}

void lf_configureToClimbAway(LiveAc& aircraft) {
    aircraft.landingConfigured = true;
    gf_narrowLagWindow(aircraft);
    gf_setThrottle(aircraft, kThrottleFull);
    gf_setGear(aircraft, false);
    gf_setFlaps(aircraft, kFlapsIn);
    aircraft.flareStage = 0;
    aircraft.landing = false;
}

}  // namespace

void lf_climbConfiguration(LiveAc& aircraft) {
    gf_narrowLagWindow(aircraft);
    gf_queueCabinLights(aircraft.objectId, 1);
    aircraft.departing = false;
    aircraft.landing = false;
    const double verticalSpeedFpm = lf_newestVerticalSpeedFpm(aircraft);
    if (verticalSpeedFpm <= kDescendingFpm && aircraft.throttleIndex == kThrottleClimb) {
        gf_setFixedWingThrottle(aircraft, kThrottleHalf);
    } else if (verticalSpeedFpm > kClimbingAfterTakeOffFpm && aircraft.throttleIndex == kThrottleFull) {
        gf_setFixedWingThrottle(aircraft, kThrottleClimb);
    }
    const double heightFt = aircraft.heightAboveGroundFt;
    if (heightFt >= kCleanAboveFt) {
        gf_setGear(aircraft, false);
        gf_setFlaps(aircraft, kFlapsIn);
    } else if (verticalSpeedFpm <= kLevelFpm) {
        if (aircraft.flapsIndex == kFlapsIn) {
            gf_setFlaps(aircraft, kFlapsTakeOff);
        } else if (aircraft.flapsIndex == kFlapsTakeOff && heightFt < kSecondFlapsBelowFt) {
            gf_setFlaps(aircraft, kFlapsSecond);
        }
    }
}

void lf_approachConfiguration(LiveAc& aircraft) {
    gf_queueCabinLights(aircraft.objectId, 0);
    const bool near = lf_nearParkAirport(aircraft);
    const double verticalSpeedFpm = lf_newestVerticalSpeedFpm(aircraft);
    if (verticalSpeedFpm <= kDescendingFpm) {
        if (!aircraft.landing && near) {
            lf_configureToLand(aircraft);
        }
    } else if ((verticalSpeedFpm > kGoAroundFpm || (aircraft.landing && !near)) && !aircraft.landingConfigured) {
        lf_configureToClimbAway(aircraft);
    }
}

double lf_landingVerticalSpeed(const LiveAc& aircraft) {
    if (aircraft.heightAboveGroundFt <= kLastFeetFt) {
        return kLastFeetFpm;
    }
    const std::deque<ReportBlock>& reports = aircraft.reports;
    const ReportBlock& next = reports.size() > 1 ? reports[1] : reports[0];
    const double meanFpm = (reports[0].verticalSpeedFpm + next.verticalSpeedFpm) / 2.0;
    const double qnhAboveStandardHpa = qnhForSim.load() - kStandardQnhHpa;
    return std::min(meanFpm - kFpmPerHpa * qnhAboveStandardHpa, kShallowestLandingFpm);
}

void lf_liftOffAltitudeStep(LiveAc& aircraft) {
    const double climbFt = aircraft.reports[1].altFt - aircraft.position.altitudeFt;
    aircraft.altStepFt =
        climbFt > 0.0 ? std::min(climbFt / gf_ticksToSecondBlock(aircraft), aircraft.identity.maxAltStepFt) : 0.0;
}

void lf_startTaxiOut(LiveAc& aircraft) {
    if (aircraft.towed) {
        gf_writeLog(fmtlib::format("towed aircraft takes-off? {}", gf_describeAc(aircraft.identity)));
    }
    aircraft.departing = true;
    gf_setThrottle(aircraft, kThrottleIdle);
    gf_setSpoilers(aircraft, false);
    gf_setFlaps(aircraft, kFlapsTakeOff);
    aircraft.landing = false;
    aircraft.wideStandSearch = false;
    aircraft.landingConfigured = false;
    gf_queueLightEvents(aircraft.objectId, {1, 1, 1, 1, 1, 1, 1});
    gf_resetLagWindow(aircraft);
    if (!aircraft.identity.strings.airline.empty()) {
        lf_learnSoftStand(aircraft, true);
    }
}
