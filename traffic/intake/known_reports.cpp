#include "traffic/intake/known_reports.h"

#include <algorithm>
#include <exception>

#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_commands.h"
#include "traffic/intake/report_judging.h"
#include "traffic/movement/flight_configuration.h"
#include "traffic/removal.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"

namespace {

// A stream this long is stuck: the aircraft goes.
constexpr std::size_t kMaxStreamBlocks = 200;
// A moving report after unmoved blocks drops them back to the last moving
// block when that block is less than 15 s older than the newest, or lies
// within 22 m of the report; at most five blocks are searched.
constexpr std::int64_t kRecentMovingBlockTicks = 1500;
constexpr double kNearMovingBlockNm = 0.011879049676025918;  // 22 m
constexpr std::size_t kMovingBlockSearchDepth = 5;
// From this ground speed on, on the newest block and the report, a taxiing
// aircraft is rolling for its take-off.
constexpr double kTakeOffRollKt = 43.0;
constexpr std::uint32_t kTakeOffThrottleIndex = 3;
constexpr std::int32_t kDepartingEarlyTicks = 3000;
constexpr std::int32_t kDepartingLateTicks = 5000;

bool lf_isHoldingTooFarAway(const LiveAc& aircraft, const ReportBlock& report) {
    const double distanceM = gf_greatCircleDistanceNm(gf_blockPosition(aircraft.reports.front()),
                                                      gf_blockPosition(report)) *
                             kMetresPerNm;
    return distanceM > HOLDING_THRESHOLD_METERS.value;
}

// The report is due at least one tick after the newest block.
void lf_dueAfterNewest(const LiveAc& aircraft, ReportBlock& report) {
    const std::int64_t afterNewest = std::int64_t{aircraft.reports.back().playbackTick} + 1;
    report.playbackTick = std::max(report.playbackTick, gf_wholeTicks(static_cast<double>(afterNewest)));
}

// A ground report after unmoved blocks: a standing aircraft piles up no
// blocks, and one that moves on leaves the blocks of a short stop behind.
void lf_trimUnmovedBlocks(LiveAc& aircraft, const ReportBlock& report) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (report.unmoved) {
        if (std::all_of(reports.begin(), reports.end(), [](const ReportBlock& block) { return block.unmoved; })) {
            reports.resize(1);
        }
        return;
    }
    if (reports.size() < 3) {
        return;
    }
    const std::size_t lowest = reports.size() - 1 - std::min(kMovingBlockSearchDepth, reports.size() - 1);
    for (std::size_t index = reports.size() - 1; index-- > lowest;) {
        const ReportBlock& block = reports[index];
        if (block.unmoved) {
            continue;
        }
        const bool recent = std::int64_t{reports.back().playbackTick} - block.playbackTick < kRecentMovingBlockTicks;
        if (recent || gf_greatCircleDistanceNm(gf_blockPosition(block), gf_blockPosition(report)) <=
                          kNearMovingBlockNm) {
            reports.erase(reports.begin() + static_cast<std::ptrdiff_t>(index) + 1, reports.end());
        }
        return;
    }
}

// Airborne reports of an aircraft waiting to take off: its take-off run
// starts.
void lf_startTakeOffRun(LiveAc& aircraft) {
    aircraft.groundPhase = GroundPhase::Taxi;  // the phase before it stays as it was
    aircraft.departing = true;
    gf_setThrottle(aircraft, kTakeOffThrottleIndex);
    gf_setSpoilers(aircraft, true);
    gf_setFlaps(aircraft, 1);
    aircraft.landing = false;
    aircraft.wideStandSearch = false;
    aircraft.landingConfigured = false;
    gf_queueLightEvents(aircraft.objectId, {1, 1, 1, 1, 1, 1, 0});
    aircraft.maxLateTicks = kDepartingLateTicks;
    aircraft.maxEarlyTicks = kDepartingEarlyTicks;
}

void lf_checkDeparture(LiveAc& aircraft, const ReportBlock& report) {
    if (!aircraft.onGround || aircraft.simState != SimState::Active || aircraft.departing ||
        aircraft.reports.empty()) {
        return;
    }
    const ReportBlock& newest = aircraft.reports.back();
    if (aircraft.takeOffPending && newest.airborne && report.airborne) {
        lf_startTakeOffRun(aircraft);
    } else if (aircraft.groundPhase == GroundPhase::Taxi &&
               (report.airborne ||
                (report.groundSpeedKt >= kTakeOffRollKt && newest.groundSpeedKt >= kTakeOffRollKt))) {
        lf_startTaxiOut(aircraft);
    }
}

void lf_append(LiveAc& aircraft, const ReportBlock& report) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    reports.push_back(report);
    if (reports.size() == 2 && reports[0].unmoved && reports[1].unmoved) {
        // A standing aircraft stands from now on at the speed of its report.
        reports[0].playbackTick = tickCounter.load() + 1;
        reports[0].groundSpeedKt = reports[1].groundSpeedKt;
    }
}

void lf_decode(LiveAc& aircraft, ReportBlock& report) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports.size() > kMaxStreamBlocks) {
        removeAircraftFromSim(aircraft);
        return;
    }
    if (aircraft.holding && !reports.empty() && lf_isHoldingTooFarAway(aircraft, report)) {
        aircraft.holding = false;
        aircraft.holdingSinceTick = 0;
        removeAircraftFromSim(aircraft);
        return;
    }
    if (aircraft.groundPhase == GroundPhase::Birth) {
        if (reports.empty() || !checkUnmovedReport(aircraft, report)) {
            return;
        }
        lf_dueAfterNewest(aircraft, report);
        reports.push_back(report);
        return;
    }
    if (!checkExtendingSituations(aircraft, report)) {
        return;
    }
    if (!reports.empty()) {
        if (!report.airborne && reports.back().unmoved) {
            lf_trimUnmovedBlocks(aircraft, report);
        }
        lf_dueAfterNewest(aircraft, report);
    }
    lf_checkDeparture(aircraft, report);
    lf_append(aircraft, report);
}

}  // namespace

void decodeExisting(LiveAc& aircraft, ReportBlock& report) {
    try {
        lf_decode(aircraft, report);
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{} exception {}", "decodeExisting", error.what()));
        throw;
    }
}
