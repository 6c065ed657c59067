#include "traffic/movement/flight.h"

#include <algorithm>
#include <numeric>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/fixed_tables.h"
#include "records/qnh.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_commands.h"
#include "traffic/movement/movement_internal.h"
#include "traffic/movement/position_update.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"

namespace {

constexpr double kTicksPerMinute = 6000.0;
// Toward a touchdown without a park airport (or with a high QNH and no
// landing vertical speed): fpm.
constexpr double kTouchdownDescentFpm = -601.0;
// A stream whose vertical speeds add up to more than this climbs.
constexpr double kClimbingStreamFpm = 100.0;
constexpr double kLowestTakeOffClimbFpm = 601.0;
// The first airborne block of a take-off is looked for among these.
constexpr std::size_t kFirstAirborneSearched = 3;
constexpr std::size_t kLastAirborneSearched = 10;
// Within this height above the ground an aircraft that is not landing does
// not descend: it climbs at least this many feet per tick.
constexpr double kNoDescentBelowFt = 1000.0;
constexpr double kLowestLowStepFt = 0.2;
// Pitch: -3 degrees level, 2.2 degrees more per 600 fpm; climbs counted up
// to 2400 fpm, descents down to 3000 fpm and at half.
constexpr double kLevelPitchRad = -0.05235987755982989;
constexpr double kPitchPerFpmRad = 2.2 * kRadiansPerDegree / 600.0;
constexpr double kHighestClimbFpm = 2400.0;
constexpr double kDeepestDescentFpm = -3000.0;
// A reported heading and bank are followed within 1000 ft of the ground
// (2000 ft while landing).
constexpr double kReportedHeadingBelowFt = 1000.0;
constexpr double kReportedHeadingLandingBelowFt = 2000.0;
// Lights and configuration: the high set from 10000 ft; the height above
// the ground that splits climb and approach configuration by category.
constexpr double kHighLightsFromFt = 10000.0;

double lf_largestPitchStepRad(const LiveAc& aircraft) {
    static const CategoryTable<double> table{{0, 0.000174532925}, {1, 0.000148352986}, {2, 0.000130899694},
                                             {3, 8.7266463e-05},  {4, 0.000523598776}, {5, 0.000523598776}};
    return gf_categoryValue(table, static_cast<std::uint32_t>(aircraft.identity.category));
}

double lf_configurationSplitFt(const LiveAc& aircraft) {
    static const CategoryTable<double> table{{0, 625.0},  {1, 2050.0}, {2, 2050.0},
                                             {3, 2050.0}, {4, 625.0},  {5, 625.0}};
    return gf_categoryValue(table, static_cast<std::uint32_t>(aircraft.identity.category));
}

// The second block's vertical speed becomes the one flown, in feet per
// tick.
void lf_flyVerticalSpeed(LiveAc& aircraft, double verticalSpeedFpm) {
    aircraft.reports[1].verticalSpeedFpm = verticalSpeedFpm;
    aircraft.verticalSpeedFpm = verticalSpeedFpm;
    aircraft.altStepFt = verticalSpeedFpm / kTicksPerMinute;
}

// A touchdown ahead: down to the park airport's elevation by the block's
// tick when the QNH is standard or low; otherwise at the landing vertical
// speed (QNH above 1013) or 601 fpm.
void lf_descendToTouchdown(LiveAc& aircraft, double ticks) {
    const AirportRecord airport = parkAirport.load();
    const bool lowQnh = qnhForSim.load() <= kStandardQnhHpa;
    if (lowQnh && !airport.code.empty()) {
        aircraft.altStepFt = (airport.alt - aircraft.position.altitudeFt) / ticks;
    } else {
        lf_flyVerticalSpeed(aircraft, lowQnh ? kTouchdownDescentFpm : lf_landingVerticalSpeed(aircraft));
    }
    gf_setGear(aircraft, true);
}

void lf_flyLevelOrClimb(LiveAc& aircraft, double ticks) {
    const double stepFt = (aircraft.reports[1].altFt - aircraft.position.altitudeFt) / ticks;
    const double largestFt = aircraft.identity.maxAltStepFt;
    aircraft.altStepFt = aircraft.heightAboveGroundFt > kNoDescentBelowFt
                             ? std::min(stepFt, largestFt)
                             : std::min(std::max(stepFt, kLowestLowStepFt), largestFt);
}

void lf_flyLanding(LiveAc& aircraft, double ticks) {
    const ReportBlock& front = aircraft.reports[0];
    const ReportBlock& second = aircraft.reports[1];
    if (front.altFt != second.altFt || aircraft.heightAboveGroundFt > kNoDescentBelowFt ||
        front.verticalSpeedFpm + second.verticalSpeedFpm > kClimbingStreamFpm) {
        aircraft.altStepFt = (second.altFt - aircraft.position.altitudeFt) / ticks;
    } else {
        lf_flyVerticalSpeed(aircraft, lf_landingVerticalSpeed(aircraft));
    }
}

void lf_setVerticalProfile(LiveAc& aircraft, double ticks) {
    const bool frontAirborne = aircraft.reports[0].airborne;
    const bool secondAirborne = aircraft.reports[1].airborne;
    if (!frontAirborne && !secondAirborne) {
        climbOrDescendToGroundPoint(aircraft);
    } else if (!frontAirborne) {
        lf_liftOffAltitudeStep(aircraft);
    } else if (!secondAirborne) {
        lf_descendToTouchdown(aircraft, ticks);
    } else if (!aircraft.landing) {
        lf_flyLevelOrClimb(aircraft, ticks);
    } else {
        lf_flyLanding(aircraft, ticks);
    }
}

void lf_setPitchStep(LiveAc& aircraft, double ticks) {
    double verticalSpeedFpm = aircraft.reports[1].verticalSpeedFpm;
    if (verticalSpeedFpm > 0.0) {
        verticalSpeedFpm = std::min(verticalSpeedFpm, kHighestClimbFpm);
    } else {
        verticalSpeedFpm = std::max(verticalSpeedFpm, kDeepestDescentFpm) / 2.0;
    }
    const double targetRad = kLevelPitchRad - verticalSpeedFpm * kPitchPerFpmRad;
    const double largestRad = lf_largestPitchStepRad(aircraft);
    aircraft.pitchStepRad = std::clamp((targetRad - aircraft.position.pitchRad) / ticks, -largestRad, largestRad);
}

// The heading change of the leg: the reported true heading low down, else
// the turn ahead in the stream.
double lf_headingChange(const LiveAc& aircraft) {
    const ReportBlock& second = aircraft.reports[1];
    const double belowFt = aircraft.landing ? kReportedHeadingLandingBelowFt : kReportedHeadingBelowFt;
    if (second.headingKnown && second.bankRad && second.trueHeadingRad && aircraft.heightAboveGroundFt < belowFt) {
        return gf_foldAngleRad(*second.trueHeadingRad - aircraft.position.headingRad);
    }
    return lf_headingChangeAhead(aircraft);
}

void lf_setLightsAndConfiguration(LiveAc& aircraft) {
    if (aircraft.reports[0].altFt < kHighLightsFromFt) {
        if (!aircraft.lowLightSet) {
            gf_queueLightEvents(aircraft.objectId, {1, 1, 1, 1, 1, 1, 1});
            aircraft.lowLightSet = true;
            aircraft.highLightSet = false;
        }
        if (aircraft.heightAboveGroundFt > lf_configurationSplitFt(aircraft)) {
            lf_climbConfiguration(aircraft);
        } else {
            lf_approachConfiguration(aircraft);
        }
    } else if (!aircraft.highLightSet) {
        gf_queueLightEvents(aircraft.objectId, {1, 1, 0, 0, 0, 0, 1});
        aircraft.highLightSet = true;
        aircraft.lowLightSet = false;
        gf_setFixedWingThrottle(aircraft, kThrottleClimb);
        gf_setGear(aircraft, false);
        gf_setFlaps(aircraft, kFlapsIn);
    }
}

}  // namespace

void nextPosAir(LiveAc& aircraft) {
    if (aircraft.groundPhase != GroundPhase::TakeOff && aircraft.groundPhase != GroundPhase::Flying) {
        gf_setGroundPhase(aircraft, GroundPhase::Flying);
    }
    aircraft.verticalSpeedFpm = aircraft.reports[1].verticalSpeedFpm;
    aircraft.signedGroundSpeedKt = aircraft.reports[1].trueAirspeedKt;
    if (aircraft.flareStage == 0) {
        lf_setVerticalProfile(aircraft, gf_ticksToSecondBlock(aircraft));
    }
    // The profile may have chosen another second block.
    const double ticks = gf_ticksToSecondBlock(aircraft);
    if (aircraft.groundPhase != GroundPhase::TakeOff) {
        lf_setPitchStep(aircraft, ticks);
    }
    const double headingChangeRad = lf_headingChange(aircraft);
    aircraft.headingStepRad = headingChangeRad / ticks;
    const ReportBlock& second = aircraft.reports[1];
    if (second.bankRad) {
        aircraft.bankStepRad = (*second.bankRad - aircraft.position.bankRad) / ticks;
    } else {
        lf_setBankStep(aircraft, headingChangeRad, gf_wholeTicks(ticks));
    }
    lf_setLightsAndConfiguration(aircraft);
}

void climbOrDescendToGroundPoint(LiveAc& aircraft) {
    const std::deque<ReportBlock>& reports = aircraft.reports;
    const double streamFpm = std::accumulate(reports.begin(), reports.end(), 0.0, [](double sum, const ReportBlock& block) {
        return sum + block.verticalSpeedFpm;
    });
    if (!aircraft.landing && streamFpm > kClimbingStreamFpm) {
        const std::size_t lastK = std::min(reports.size() - 1, kLastAirborneSearched);
        for (std::size_t k = kFirstAirborneSearched; k <= lastK; ++k) {
            if (skipToAirbornePoint(aircraft, k)) {
                gf_setGear(aircraft, true);
                return;
            }
        }
        lf_flyVerticalSpeed(aircraft, std::max(aircraft.reports[1].verticalSpeedFpm, kLowestTakeOffClimbFpm));
    } else {
        lf_flyVerticalSpeed(aircraft, lf_landingVerticalSpeed(aircraft));
    }
    gf_setGear(aircraft, true);
}

bool skipToAirbornePoint(LiveAc& aircraft, std::size_t k) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports.size() < k || !reports[k - 1].airborne) {
        return false;
    }
    reports.erase(reports.begin() + 1, reports.begin() + static_cast<std::ptrdiff_t>(k - 1));
    const ReportBlock& front = reports[0];
    const double distanceNm = gf_greatCircleDistanceNm(gf_blockPosition(front), gf_blockPosition(reports[1]));
    const std::int32_t ticks = std::max(gf_ticksForDistance(distanceNm, lf_streamSpeed(aircraft)), kMinStepTicks);
    clampPlaybackTick(aircraft, ticks);
    const ReportBlock& second = reports[1];
    const double climbFt = second.altFt - aircraft.position.altitudeFt;
    aircraft.altStepFt = climbFt > 0.0 ? std::min(climbFt / ticks, aircraft.identity.maxAltStepFt) : 0.0;
    // The steps toward the block dropped would carry the aircraft past it,
    // off the line to the block that replaces it.
    const double stepTicks = gf_ticksToSecondBlock(aircraft);
    aircraft.latStepDeg = (second.latDeg - aircraft.position.latitudeDeg) / stepTicks;
    aircraft.lonStepDeg = (second.lonDeg - aircraft.position.longitudeDeg) / stepTicks;
    return true;
}
