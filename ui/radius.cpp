#include "ui/radius.h"

#include <cmath>
#include <mutex>
#include <string>

#include "airports/airport_list.h"
#include "core/great_circle.h"
#include "core/setting_choices.h"
#include "core/settings.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "ui/status/control_texts.h"
#include "ui/status/parameter_controls.h"


namespace {

constexpr std::uint32_t kMetresPerNm = 1852;

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
