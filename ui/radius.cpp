#include "ui/radius.h"

#include <array>
#include <cmath>
#include <mutex>
#include <string>

#include "airports/airport_list.h"
#include "core/great_circle.h"
#include "core/parameter_controls.h"
#include "core/settings.h"
#include "core/threshold_steps.h"
#include "simlink/sim_commands.h"
#include "simlink/user_aircraft.h"
#include "ui/status/control_texts.h"

std::atomic<std::int32_t> manualRadiusNm{0};

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

constexpr int kOnGroundRangeNm = 10;
constexpr int kHighRangeNm = 100;
constexpr int kAirportHeightRangeNm = 40;
constexpr int kNearDestinationRangeNm = 10;
constexpr int kFarDestinationRangeNm = 40;
constexpr double kNearDestinationNm = 7.0;
constexpr double kFarDestinationNm = 37.0;
constexpr double kNoDestinationNm = 10000.0;
constexpr int kDestinationMarginNm = 3;

double lf_distanceToDestinationNm(const UserAcData& user) {
    const AirportRecord* destination = gf_findAirportByCode(std::string{DESTINATION.value});
    if (destination == nullptr) {
        return kNoDestinationNm;
    }
    return gf_greatCircleDistanceNm(gf_userPosition(user), {destination->lat, destination->lon});
}

int lf_autoRangeNm() {
    if (userOnGround) {
        return kOnGroundRangeNm;
    }
    UserAcData user;
    {
        const std::lock_guard lock(simQueueMutex);
        user = userAcData;
    }
    if (user.altitudeFt > AR_ABOVE_HEIGHT.value) {
        return kHighRangeNm;
    }
    if (user.altitudeFt > AIRP_HEIGHT.value) {
        return kAirportHeightRangeNm;
    }
    const double distanceNm = lf_distanceToDestinationNm(user);
    if (distanceNm <= kNearDestinationNm) {
        return kNearDestinationRangeNm;
    }
    if (distanceNm < kFarDestinationNm) {
        return gf_snapToRangeChoice(static_cast<int>(std::lround(distanceNm)) + kDestinationMarginNm);
    }
    return kFarDestinationRangeNm;
}

}  // namespace

std::uint32_t gf_setRadiusNm(int nm) {
    RANGE.value = RANGE.clamped(nm);
    gf_selectChoice(RANGE);
    trafficRadiusNm = static_cast<double>(nm);
    trafficRadiusMeters = static_cast<std::uint32_t>(nm) * kMetresPerNm;
    return trafficRadiusMeters;
}

void gf_updateAutoRange() {
    const std::int32_t before = RANGE.value;
    gf_setRadiusNm(lf_autoRangeNm());
    if (RANGE.value != before) {
        gf_setTbInt(RANGE);
    }
}

int gf_snapToRangeChoice(int nm) { return gf_firstStepReached(nm, kRangeSteps, nm < 3 ? 2 : nm); }

int gf_snapToAirportHeightChoice(int feet) { return gf_firstStepReached(feet, kAirportHeightStepsFt, 2000); }
