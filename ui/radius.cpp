#include "ui/radius.h"

#include <array>

#include "core/parameter_controls.h"
#include "core/settings.h"
#include "core/threshold_steps.h"

namespace {

constexpr std::uint32_t kMetresPerNm = 1852;

// (first value, choice), highest first.
constexpr std::array<ThresholdStep, 15> kRangeSteps = {{{90, 100}, {73, 80}, {57, 65}, {45, 50}, {38, 40},
                                                       {33, 35}, {28, 30}, {23, 25}, {19, 20}, {17, 18},
                                                       {15, 16}, {13, 14}, {11, 12}, {9, 10}, {7, 8}}};
constexpr std::array<ThresholdStep, 10> kAirportHeightStepsFt = {{{47000, 48000}, {27000, 36000}, {17000, 18000},
                                                                  {15000, 16000}, {13000, 14000}, {11000, 12000},
                                                                  {9000, 10000}, {7000, 8000}, {5000, 6000},
                                                                  {3000, 4000}}};

}  // namespace

std::uint32_t gf_setRadiusNm(int nm) {
    RANGE.value = RANGE.clamped(nm);
    gf_selectChoice(RANGE);
    trafficRadiusNm = static_cast<double>(nm);
    trafficRadiusMeters = static_cast<std::uint32_t>(nm) * kMetresPerNm;
    return trafficRadiusMeters;
}

int gf_snapToRangeChoice(int nm) { return gf_firstStepReached(nm, kRangeSteps, nm < 3 ? 2 : nm); }

int gf_snapToAirportHeightChoice(int feet) { return gf_firstStepReached(feet, kAirportHeightStepsFt, 2000); }
