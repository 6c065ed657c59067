// Measures of an aircraft's report stream that ground movement and flight
// read when a block is reached: whether the blocks ahead are fast enough to
// lift off, how far the leg after the next turns away from the heading, the
// speed of the leg being flown, and the bank step into a turn. Worker
// thread only.

#include "traffic/movement/movement_internal.h"

#include <algorithm>

#include "core/fixed_tables.h"
#include "traffic/movement/position_update.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"

namespace {

constexpr double kLowestStreamSpeedKt = 1.0;

std::uint32_t lf_categoryKey(const LiveAc& aircraft) { return static_cast<std::uint32_t>(aircraft.identity.category); }

double lf_liftOffSpeedKt(const LiveAc& aircraft) {
    static const CategoryTable<double> table{{0, 90.0}, {1, 110.0}, {2, 140.0}, {3, 150.0}, {4, 220.0}, {5, 0.0}};
    return gf_categoryValue(table, lf_categoryKey(aircraft));
}

// Radians: 40, 35, 30, 20, 90 and 75 degrees.
double lf_maxBankRad(const LiveAc& aircraft) {
    static const CategoryTable<double> table{{0, 40.0 * kRadiansPerDegree}, {1, 35.0 * kRadiansPerDegree},
                                             {2, 30.0 * kRadiansPerDegree}, {3, 20.0 * kRadiansPerDegree},
                                             {4, 90.0 * kRadiansPerDegree}, {5, 75.0 * kRadiansPerDegree}};
    return gf_categoryValue(table, lf_categoryKey(aircraft));
}

// Radians per tick: 0.035, 0.0275, 0.02, 0.015, 0.1 and 0.06 degrees.
double lf_bankStepLimitRad(const LiveAc& aircraft) {
    static const CategoryTable<double> table{{0, 0.035 * kRadiansPerDegree}, {1, 0.0275 * kRadiansPerDegree},
                                             {2, 0.02 * kRadiansPerDegree},  {3, 0.015 * kRadiansPerDegree},
                                             {4, 0.1 * kRadiansPerDegree},   {5, 0.06 * kRadiansPerDegree}};
    return gf_categoryValue(table, lf_categoryKey(aircraft));
}

}  // namespace

bool lf_allAtLiftOffSpeed(const LiveAc& aircraft) {
    const double liftOffKt = lf_liftOffSpeedKt(aircraft);
    return std::all_of(aircraft.reports.begin() + 1, aircraft.reports.end(),
                       [&](const ReportBlock& block) { return block.groundSpeedKt >= liftOffKt; });
}

double lf_headingChangeAhead(const LiveAc& aircraft) {
    const std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports.size() < 3) {
        return 0.0;
    }
    const double bearingRad = gf_initialBearingRad(gf_blockPosition(reports[1]), gf_blockPosition(reports[2]));
    return gf_foldAngleRad(bearingRad - aircraft.position.headingRad);
}

double lf_streamSpeed(const LiveAc& aircraft) {
    const ReportBlock& front = aircraft.reports[0];
    const ReportBlock& second = aircraft.reports[1];
    double speedKt = (front.groundSpeedKt + second.groundSpeedKt) / 2.0;
    if (front.groundSpeedKt == 0.0 && second.groundSpeedKt == 0.0) {
        const double gapTicks =
            std::max(static_cast<double>(std::int64_t{second.playbackTick} - front.playbackTick), double{kMinStepTicks});
        speedKt = gf_greatCircleDistanceNm(gf_blockPosition(front), gf_blockPosition(second)) * kTicksPerHour / gapTicks;
    }
    return std::max(speedKt, kLowestStreamSpeedKt);
}

void lf_setBankStep(LiveAc& aircraft, double turnRad, std::int32_t ticks) {
    const double maxBankRad = lf_maxBankRad(aircraft);
    const double limitRad = lf_bankStepLimitRad(aircraft);
    const double targetRad = -std::clamp(turnRad, -maxBankRad, maxBankRad);
    aircraft.bankStepRad = std::clamp((targetRad - aircraft.position.bankRad) / ticks, -limitRad, limitRad);
}
