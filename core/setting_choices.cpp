#include "core/setting_choices.h"

#include <array>

#include "core/threshold_steps.h"

namespace {

// (first value, choice), highest first.
constexpr std::array<ThresholdStep, 15> kRangeSteps = {{{90, 100}, {73, 80}, {57, 65}, {45, 50}, {38, 40},
                                                       {33, 35}, {28, 30}, {23, 25}, {19, 20}, {17, 18},
                                                       {15, 16}, {13, 14}, {11, 12}, {9, 10}, {7, 8}}};
constexpr std::array<ThresholdStep, 10> kAirportHeightStepsFt = {{{47000, 48000}, {27000, 36000}, {17000, 18000},
                                                                  {15000, 16000}, {13000, 14000}, {11000, 12000},
                                                                  {9000, 10000}, {7000, 8000}, {5000, 6000},
                                                                  {3000, 4000}}};

}  // namespace

int gf_snapToRangeChoice(int nm) { return gf_firstStepReached(nm, kRangeSteps, nm < 3 ? 2 : nm); }

int gf_snapToAirportHeightChoice(int feet) { return gf_firstStepReached(feet, kAirportHeightStepsFt, 2000); }
