#include "run/work_schedule.h"

namespace {

// Work-cycle counts, about seconds.
constexpr std::uint32_t kPeriodicCycles = 15;
constexpr std::uint32_t kStaticParkingCycles = 16;
constexpr std::uint32_t kReaderLightCycles = 59;
constexpr std::uint32_t kDuplicateTestCycles = 61;
constexpr std::uint32_t kParkedLogCycles = 62;
constexpr std::uint32_t kAutoRangeCycles = 30;
constexpr std::uint32_t kMinuteCycles = 60;
constexpr std::uint32_t kRenewalCycles = 1200;  // 20 minutes
constexpr std::uint32_t kDayCycles = 86400;
constexpr std::int32_t kRenewalMinutes = 20;

bool lf_multipleOf(std::uint32_t cycle, std::uint32_t period) { return cycle % period == 0; }

}  // namespace

CycleWork gf_cycleWorkAt(std::uint32_t cycle, bool renewalPrepared) {
    CycleWork work;
    if (lf_multipleOf(cycle, kPeriodicCycles)) {
        work.periodic = true;
        return work;
    }
    work.staticParking = lf_multipleOf(cycle, kStaticParkingCycles) && !renewalPrepared;
    work.readerLights = lf_multipleOf(cycle, kReaderLightCycles);
    work.duplicateTest = lf_multipleOf(cycle, kDuplicateTestCycles);
    work.parkedLog = lf_multipleOf(cycle, kParkedLogCycles);
    return work;
}

PeriodicWork gf_periodicWorkAt(std::uint32_t cycle) {
    return {lf_multipleOf(cycle, kAutoRangeCycles), lf_multipleOf(cycle, kMinuteCycles),
            lf_multipleOf(cycle, kRenewalCycles), lf_multipleOf(cycle, kDayCycles)};
}

std::int32_t gf_minutesToRenewal(std::uint32_t cycle) {
    const auto minutes = static_cast<std::int32_t>(cycle / kMinuteCycles);
    return (minutes / kRenewalMinutes + 1) * kRenewalMinutes - minutes;
}
