#include "traffic/known_reports_seam.h"

#include <algorithm>
#include <gsl/gsl>

#include "traffic/removal_seam.h"

namespace {

// A stream this long is stuck: the aircraft goes.
constexpr std::size_t kMaxStreamBlocks = 200;

}  // namespace

void decodeExisting(LiveAc& aircraft, ReportBlock& report) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    if (reports.size() > kMaxStreamBlocks) {
        removeAircraftFromSim(aircraft);
        return;
    }
    if (reports.empty()) {
        if (aircraft.groundPhase != GroundPhase::Birth) {
            reports.push_back(report);
        }
        return;
    }
    const std::int64_t afterNewest = std::int64_t{reports.back().playbackTick} + 1;
    report.playbackTick = std::max(report.playbackTick, gsl::narrow<std::int32_t>(afterNewest));
    reports.push_back(report);
}
