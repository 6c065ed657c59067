#include "traffic/stream_extension_seam.h"

#include <algorithm>

#include "traffic/position_update.h"
#include "traffic/stream_geometry.h"
#include "traffic/tick_counts.h"

namespace {

constexpr double kLowestStreamSpeedKt = 1.0;

}  // namespace

bool lf_extendStream(LiveAc& /*aircraft*/) { return false; }

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

void lf_startTaxiOut(LiveAc& aircraft) {
    aircraft.departing = true;
    aircraft.landing = false;
    aircraft.wideStandSearch = false;
    aircraft.landingConfigured = false;
    gf_resetLagWindow(aircraft);
}
