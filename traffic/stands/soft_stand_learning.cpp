#include "traffic/stands/soft_stand_learning.h"

#include <algorithm>
#include <cstdint>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/settings.h"
#include "records/week_slot.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/stands/stand_options.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stream_geometry.h"

namespace {

constexpr double kParkAirportRadiusNm = 5.0;
constexpr double kApproachHeightFt = 2500.0;
constexpr std::uint32_t kHalfHoursPerDay = 48;

bool lf_mayLearnSoft(const LiveAc& aircraft, bool onGround) {
    const AirportRecord airport = parkAirport.load();
    return LEARN_SOFT.value && learnSoftAllowed && !airport.code.empty() && aircraft.standId == 0 &&
           (onGround || aircraft.heightAboveGroundFt < kApproachHeightFt) &&
           gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), {airport.lat, airport.lon}) <= kParkAirportRadiusNm;
}

// The stand that holds the aircraft's soft arrival of another time.
ParkPosition* lf_findSoftArrival(std::uint32_t aircraftId, std::uint64_t timeOfWeek) {
    const auto found = std::find_if(parkPositions.begin(), parkPositions.end(), [&](const ParkPosition& stand) {
        const auto arrival = stand.softArrivals.find(aircraftId);
        return arrival != stand.softArrivals.end() && arrival->second.timeOfWeek != timeOfWeek;
    });
    return found == parkPositions.end() ? nullptr : &*found;
}

// A real option of the aircraft (by its key) counts now, or a half hour
// before or after: it has a real stand here.
bool lf_hasRealOptionNearNow(const AcIdentity& aircraft, std::uint64_t timeOfWeek) {
    const std::string key = gf_standOptionKey(aircraft);
    const std::uint32_t halfHour = gf_halfHourOf(timeOfWeek);
    const std::uint32_t weekday = gf_weekdayOf(timeOfWeek);
    return std::any_of(parkPositions.begin(), parkPositions.end(), [&](const ParkPosition& stand) {
        return std::any_of(stand.options.begin(), stand.options.end(), [&](const ParkOption& option) {
            return option.real && option.registration == key &&
                   (gf_optionCoversSlot(option, weekday, halfHour) ||
                    gf_optionCoversSlot(option, weekday, (halfHour + kHalfHoursPerDay - 1) % kHalfHoursPerDay) ||
                    gf_optionCoversSlot(option, weekday, (halfHour + 1) % kHalfHoursPerDay));
        });
    });
}

}  // namespace

void lf_learnSoftStand(LiveAc& aircraft, bool onGround) {
    if (!lf_mayLearnSoft(aircraft, onGround)) {
        return;
    }
    const std::uint64_t timeOfWeek = gf_timeOfWeekNow();
    const std::uint32_t aircraftId = aircraft.identity.aircraftId;
    if (ParkPosition* revisited = lf_findSoftArrival(aircraftId, timeOfWeek)) {
        if (lt_addSoftStandOption(revisited->standId, aircraft, true, timeOfWeek, !onGround)) {
            gf_setStandOptionSlot(aircraftId, gf_halfHourOf(timeOfWeek));
            return;
        }
    }
    if (!gf_takeStandOptionSlot(timeOfWeek, aircraftId, false) || lf_hasRealOptionNearNow(aircraft.identity, timeOfWeek)) {
        return;
    }
    const auto stand = gf_chooseStandForAircraft(timeOfWeek, aircraft.identity, true);
    if (stand != parkPositions.end() && !lt_addSoftStandOption(stand->standId, aircraft, false, timeOfWeek, !onGround)) {
        gf_forgetStandOptionSlot(aircraftId);
    }
}
