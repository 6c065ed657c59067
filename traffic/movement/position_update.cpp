#include "traffic/movement/position_update.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "core/format.h"
#include "core/log.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_by_position.h"
#include "traffic/aircraft_labels.h"
#include "traffic/farthest_active.h"
#include "traffic/lifecycle/spawning.h"
#include "traffic/movement/flight.h"
#include "traffic/movement/movement_internal.h"
#include "traffic/movement/taxi_movement.h"
#include "traffic/movement/tick_move.h"
#include "traffic/removal.h"
#include "traffic/stands/soft_stand_learning.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"
#include "traffic/traffic_state.h"

namespace {

// A landing aircraft rolls toward a touchdown block at the front block's
// speed, or at this one.
constexpr double kTouchdownRollKt = 100.0;
constexpr double kSecondsPerMinute = 60.0;

bool lf_mustLeave(const LiveAc& aircraft) { return aircraft.eraseBuffered || aircraft.eraseRemoved; }

std::string lf_describeFailure(const LiveAc& aircraft) {
    return fmtlib::format("{}, sz:{}, fs:{}, st:{}", gf_describeAc(aircraft.identity), aircraft.reports.size(),
                          gf_groundPhaseName(aircraft.groundPhase), gf_simStateName(aircraft.simState));
}

void lf_onEmptyStream(LiveAc& aircraft) {
    const PositionBlock& position = aircraft.position;
    gf_writeLog(fmtlib::format("{} stream empty ? {}, hexid:{}, objectid:{}, alt:{:.0f} ft, lalo:{}, TAS:{:.0f}",
                               "updateLiveAc", gf_describeAc(aircraft.identity), aircraft.identity.aircraftId,
                               aircraft.objectId, position.altitudeFt,
                               fmtlib::format("{:.6f},{:.6f}", position.latitudeDeg, position.longitudeDeg),
                               position.trueAirspeedKt));
    removeAircraftFromSim(aircraft);
}

void lf_onMissingObject(LiveAc& aircraft) {
    const LiveAcStrings& strings = aircraft.identity.strings;
    gf_writeLog(fmtlib::format("{} objectid=0? hexid: {},cs:{}, reg:{}, aimo:{} sz:{}", "updateLiveAc",
                               aircraft.identity.aircraftId, strings.callsign, strings.registration,
                               gf_describeAcIdentity(strings), aircraft.reports.size()));
    removeAircraftFromSim(aircraft);
}

// The stream has run out: the aircraft leaves (one that flew or taxied to
// its end may first teach its stand a soft option).
void lf_endStream(LiveAc& aircraft) {
    if (aircraft.groundPhase != GroundPhase::Parked) {
        lf_learnSoftStand(aircraft, aircraft.groundPhase != GroundPhase::Flying);
    }
    removeAircraftFromSim(aircraft);
}

void lf_playDueBlocks(LiveAc& aircraft) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    for (;;) {
        if (reports.size() >= 2) {
            // In the air an aircraft does not stop on a repeated position.
            if (aircraft.onGround || !reports[1].unmoved ||
                aircraft.identity.category == AircraftCategory::Rotorcraft) {
                stepToNextBlock(aircraft);
                return;
            }
            reports.erase(reports.begin() + 1);
            continue;
        }
        if (!lf_extendStream(aircraft)) {
            lf_endStream(aircraft);
            return;
        }
    }
}

void lf_updateActive(LiveAc& aircraft) {
    if (aircraft.reports.empty()) {
        lf_onEmptyStream(aircraft);
        return;
    }
    if (tickCounter.load() >= aircraft.reports.front().playbackTick) {
        nextPosMain(aircraft);
        aircraft.position.verticalSpeedFps = aircraft.verticalSpeedFpm / kSecondsPerMinute;
        aircraft.position.trueAirspeedKt = aircraft.reports.front().unmoved ? 0.0 : aircraft.signedGroundSpeedKt;
    }
    if (aircraft.simState != SimState::Active) {
        return;
    }
    if (!aircraft.reports.front().unmoved) {
        interpolateCurve(aircraft);
    }
    if (aircraft.objectId == 0) {
        lf_onMissingObject(aircraft);
        return;
    }
    gf_appendPositionCmd({aircraft.position, aircraft.objectId});
}

}  // namespace

bool updateLiveAc(LiveAc& aircraft) {
    try {
        if (aircraft.simState == SimState::Buffer) {
            handleBufferedLiveAc(aircraft);
        } else if (aircraft.simState == SimState::Active) {
            lf_updateActive(aircraft);
        }
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{}: {} {}", "updateLiveAc", error.what(), lf_describeFailure(aircraft)));
    }
    gf_refreshFarthestActive(aircraft);
    gf_refreshAircraftByPosition(aircraft);
    return lf_mustLeave(aircraft);
}

void nextPosMain(LiveAc& aircraft) {
    try {
        lf_playDueBlocks(aircraft);
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{}: {} {}", "nextPosMain", error.what(), lf_describeFailure(aircraft)));
        throw;
    }
}

void stepToNextBlock(LiveAc& aircraft) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    gf_clearCurve(aircraft.curve);
    {
        ReportBlock& second = reports[1];
        if (!second.unmoved &&
            gf_isWithinDeg(gf_blockPosition(reports[0]), gf_blockPosition(second), kSamePositionDeg)) {
            second.unmoved = true;
        }
        if (!second.unmoved) {
            aircraft.targetHeadingRad = gf_initialBearingRad(gf_blockPosition(reports[0]), gf_blockPosition(second));
        }
    }
    if (aircraft.onGround) {
        nextPosGround(aircraft);
    } else {
        retimeAir(aircraft);
    }
    // The ground and air steps may have changed the blocks behind the front.
    const ReportBlock& second = reports[1];
    if (second.unmoved) {
        aircraft.latStepDeg = 0.0;
        aircraft.lonStepDeg = 0.0;
        if (!aircraft.takeOffPending && !aircraft.departing) {
            gf_narrowLagWindow(aircraft);
        }
    } else {
        const double ticks = gf_ticksToSecondBlock(aircraft);
        aircraft.latStepDeg = (second.latDeg - aircraft.position.latitudeDeg) / ticks;
        aircraft.lonStepDeg = (second.lonDeg - aircraft.position.longitudeDeg) / ticks;
        if (aircraft.onGround) {
            setGroundSpeed(aircraft);
        } else {
            nextPosAir(aircraft);
        }
    }
    reports.pop_front();
}

void clampPlaybackTick(LiveAc& aircraft, std::int32_t ticks) {
    ReportBlock& second = aircraft.reports[1];
    const std::int64_t now = tickCounter.load();
    std::int64_t target = now + ticks;
    if (aircraft.extensionCount < 1) {
        target = std::clamp(target, std::int64_t{second.playbackTick} - aircraft.maxEarlyTicks,
                            std::int64_t{second.playbackTick} + aircraft.maxLateTicks);
    }
    second.playbackTick = gf_wholeTicks(static_cast<double>(std::max(target, now)));
}

void retimeAir(LiveAc& aircraft) {
    const ReportBlock& front = aircraft.reports[0];
    const ReportBlock& second = aircraft.reports[1];
    if (second.unmoved) {
        if (aircraft.identity.category == AircraftCategory::Rotorcraft) {
            retimeGround(aircraft);
        }
        return;
    }
    double speedKt = 0.0;
    if (aircraft.landing && !second.airborne) {
        speedKt = front.groundSpeedKt > 0.0 ? front.groundSpeedKt : kTouchdownRollKt;
    } else {
        speedKt = lf_streamSpeed(aircraft);
    }
    const double distanceNm = gf_greatCircleDistanceNm(gf_blockPosition(front), gf_blockPosition(second));
    clampPlaybackTick(aircraft, std::max(gf_ticksForDistance(distanceNm, speedKt), kMinStepTicks));
}

double gf_ticksToSecondBlock(const LiveAc& aircraft) {
    const std::int64_t ticks = std::int64_t{aircraft.reports[1].playbackTick} - tickCounter.load();
    return static_cast<double>(std::max(ticks, std::int64_t{kMinStepTicks}));
}

void gf_clearCurve(CurveState& curve) {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    curve.controlEastM = kNone;
    curve.controlNorthM = kNone;
    curve.t0 = kNone;
    curve.t1 = kNone;
    curve.t = 0.0;
}
